#include "core/files/orbtab_file.h"

#include "core/files/atomic_save.h"
#include "core/files/file_fields.h"
#include "core/model/byte_order.h"
#include "core/model/name_text.h"
#include "core/rules/longitude.h"

#include <algorithm>
#include <numeric>
#include <system_error>

namespace orbtab_file {

std::uint32_t checksum(std::span<const std::uint8_t, kChecksumOffset> bytes)
{
    const std::uint32_t sum = std::accumulate(bytes.begin(), bytes.end(), std::uint32_t{0},
                                              [](std::uint32_t s, std::uint8_t b) { return s + b; });
    return kChecksumBase - sum;
}

bool checksumMatches(const Image& image)
{
    return checksum(std::span(image).first<kChecksumOffset>()) == bytes::u32le(image, kChecksumOffset);
}

Image encode(const CComonOrbitune& plan, std::uint8_t position)
{
    Image out{};
    bytes::putI32le(out, 0, 100);
    bytes::putI32le(out, 4, plan.flag);
    out[8] = position;
    file_fields::putName(plan.name, std::span(out).subspan(9, CComonOrbitune::kNameSize));
    longitude::store(longitude::fileText(plan.longitude, plan.isEast == 1),
                     std::span(out).subspan<18, longitude::kFieldSize>());
    out[25] = static_cast<std::uint8_t>(plan.channelCount);
    bytes::putI32le(out, 28, plan.lnbLow);
    bytes::putI32le(out, 32, plan.lnbHigh);
    const auto used = plan.usedChannels().first(std::min<std::size_t>(plan.usedChannels().size(), kMaxRecords));
    for (std::size_t k = 0; k < used.size(); ++k)
        file_fields::putTpRecord(
            used[k], static_cast<std::uint8_t>(k + 1),
            std::span(out).subspan(kRecordsOffset + SateChannel::kRecordSize * k).first<SateChannel::kRecordSize>());
    bytes::putU32le(out, kChecksumOffset, checksum(std::span(out).first<kChecksumOffset>()));
    return out;
}

Image imageOf(std::span<const std::uint8_t> bytes)
{
    return file_fields::chunkAt<kFileSize>(bytes, 0);
}

CComonOrbitune decode(const Image& image)
{
    CComonOrbitune plan;
    plan.flag = bytes::i32le(image, 4);
    plan.countByte = image[25];
    plan.lnbLow = bytes::i32le(image, 28);
    plan.lnbHigh = bytes::i32le(image, 32);
    const auto longitude = longitude::textOf(std::span(image).subspan<18, longitude::kFieldSize>());
    plan.longitude = longitude::parseDegrees(longitude);
    plan.number = image[8];
    plan.channelsAdded = image[8];
    plan.tag = 100;
    names::copyField(std::span(image).subspan(9, CComonOrbitune::kNameSize), plan.name);
    plan.isEast = longitude.find_first_of("Ee") != std::string_view::npos ? 1 : 0;
    plan.channelCapacity = CComonOrbitune::kSlotCount;
    plan.channelCount = 0;
    plan.id = Guid::generate();
    const int records = std::min<int>(image[25], kMaxRecords);
    for (int k = 0; k < records; ++k) {
        auto channel = SateChannel::decodeRecord(
            std::span(image)
                .subspan(kRecordsOffset + SateChannel::kRecordSize * static_cast<std::size_t>(k))
                .first<SateChannel::kRecordSize>());
        channel.id = Guid::generate();
        plan.appendChannel(channel);
    }
    return plan;
}

std::string fileName(const CComonOrbitune& plan)
{
    return plan.nameText() + ".Orbtab";
}

bool isSafeName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || u < 0x20 || u == 0x7F;
    });
}

} // namespace orbtab_file

OrbtabReadResult readOrbtabFile(const std::filesystem::path& path, bool verify, PlanList& plans)
{
    auto file = readFilePrefix(path, orbtab_file::kFileSize);
    if (path.empty())
        file.error = FileError{FileError::Kind::CannotOpen, path.string(), "empty path"};
    if (file.error)
        return {OrbtabReadStatus::NotOpened, file.error};
    const auto image = orbtab_file::imageOf(file.bytes);
    if (verify && !orbtab_file::checksumMatches(image))
        return {OrbtabReadStatus::ChecksumFailed,
                FileError{FileError::Kind::ChecksumFailed, path.string(), "checksum mismatch"}};
    plans.append(orbtab_file::decode(image));
    return {OrbtabReadStatus::Read, std::nullopt};
}

namespace {

bool existsExactly(const std::filesystem::path& folder, const std::string& name)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string() == name)
            return true;
    return false;
}

} // namespace

OrbtabWriteReport writeOrbtabFiles(const std::filesystem::path& folder, std::span<const CComonOrbitune* const> plans,
                                   const OverwriteQuestion& overwrite)
{
    OrbtabWriteReport report;
    for (std::size_t j = 0; j < plans.size(); ++j) {
        const CComonOrbitune& plan = *plans[j];
        const std::string name = plan.nameText();
        const std::string file = orbtab_file::fileName(plan);
        if (!orbtab_file::isSafeName(name)) {
            report.errors.push_back({FileError::Kind::UnsafeName, name, "the plan name cannot be a file name"});
            continue;
        }
        const auto image = orbtab_file::encode(plan, static_cast<std::uint8_t>(j + 1));
        if (existsExactly(folder, file) && !overwrite(name)) {
            report.declined.push_back(name);
            continue;
        }
        const auto target = folder / file;
        auto result = saveFileAtomically(target, image);
        if (result.ok())
            report.written.push_back(target);
        else
            report.errors.push_back(*result.error);
    }
    return report;
}
