#include "core/files/recovery_copy.h"

#include "core/files/atomic_save.h"
#include "core/files/crc32.h"
#include "core/model/byte_order.h"
#include "core/model/unique_ids.h"

#include <algorithm>
#include <array>

namespace recovery_copy {

namespace {

constexpr std::array<std::uint8_t, 8> kMarker{'O', 'r', 'b', 'R', 'c', 'v', 'y', '1'};
constexpr std::size_t kImage = CComonOrbitune::kImageSize;

std::span<const std::uint8_t, kImage> record(std::span<const std::uint8_t> bytes, std::size_t i)
{
    return bytes.subspan(general_file::kHeaderSize + i * kImage).first<kImage>();
}

struct Trailer {
    std::uint32_t plans;
    std::span<const std::uint8_t> checksums; // the records' and then the header's
};

// The trailer at the end of `bytes` when it is whole and agrees with the
// length of the copy.
std::optional<Trailer> findTrailer(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kFooterSize)
        return std::nullopt;
    const auto footer = bytes.last<kFooterSize>();
    if (!std::equal(kMarker.begin(), kMarker.end(), footer.begin()))
        return std::nullopt;
    const std::uint64_t length = bytes::u32le(footer, 8);
    const std::uint64_t plans = bytes::u32le(footer, 12);
    if (length != general_file::kHeaderSize + plans * kImage || bytes.size() != length + trailerSize(plans))
        return std::nullopt;
    const auto trailer = bytes.subspan(length);
    if (crc32(trailer.first(trailer.size() - 4)) != bytes::u32le(footer, 16))
        return std::nullopt;
    return Trailer{static_cast<std::uint32_t>(plans), trailer.first(4 * plans + 4)};
}

} // namespace

std::vector<std::uint8_t> encode(std::span<const CComonOrbitune* const> plans)
{
    std::vector<std::uint8_t> out = general_file::encode(plans, false);
    const std::size_t length = out.size();
    out.resize(length + trailerSize(plans.size()));
    const auto trailer = std::span(out).subspan(length);
    for (std::size_t i = 0; i < plans.size(); ++i)
        bytes::putU32le(trailer, 4 * i, crc32(record(out, i)));
    std::size_t at = 4 * plans.size();
    bytes::putU32le(trailer, at, crc32(std::span(out).first(general_file::kHeaderSize)));
    at += 4;
    std::copy(kMarker.begin(), kMarker.end(), trailer.begin() + static_cast<std::ptrdiff_t>(at));
    bytes::putU32le(trailer, at + 8, static_cast<std::uint32_t>(length));
    bytes::putU32le(trailer, at + 12, static_cast<std::uint32_t>(plans.size()));
    bytes::putU32le(trailer, at + 16, crc32(trailer.first(trailer.size() - 4)));
    return out;
}

Content decode(std::span<const std::uint8_t> bytes)
{
    Content content;
    const auto maxPlans = static_cast<std::size_t>(general_file::kMaxPlans);
    if (const std::optional<Trailer> trailer = findTrailer(bytes)) {
        content.written = trailer->plans;
        const bool headerWhole = crc32(bytes.first(general_file::kHeaderSize)) ==
                                 bytes::u32le(trailer->checksums, 4 * std::size_t{trailer->plans});
        if (headerWhole)
            content.nextPlanNumber = bytes::i32le(bytes, 16);
        const std::size_t taken = std::min<std::size_t>(trailer->plans, maxPlans);
        for (std::size_t i = 0; i < taken; ++i)
            if (crc32(record(bytes, i)) == bytes::u32le(trailer->checksums, 4 * i))
                content.plans.push_back(CComonOrbitune::decode(record(bytes, i)));
        content.whole = headerWhole && content.plans.size() == trailer->plans;
    } else if (bytes.size() >= general_file::kHeaderSize) {
        // Cut short or overwritten at its end: the complete records are what
        // there is to read, with nothing to tell whether they are as written.
        content.written = bytes::u32le(bytes, 12);
        content.nextPlanNumber = bytes::i32le(bytes, 16);
        const std::size_t complete = (bytes.size() - general_file::kHeaderSize) / kImage;
        const std::size_t taken = std::min({std::size_t{content.written}, complete, maxPlans});
        for (std::size_t i = 0; i < taken; ++i)
            content.plans.push_back(CComonOrbitune::decode(record(bytes, i)));
    }
    freshenRepeatedIds(content.plans);
    return content;
}

} // namespace recovery_copy

RecoveryCopyRead readRecoveryCopy(const std::filesystem::path& path)
{
    ReadBytesResult read = readFilePrefix(path, recovery_copy::kMaxFileSize);
    if (read.error)
        return {{}, read.error};
    return {recovery_copy::decode(read.bytes), std::nullopt};
}

SaveResult writeRecoveryCopy(const std::filesystem::path& path, std::span<const CComonOrbitune* const> plans)
{
    return saveFileAtomically(path, recovery_copy::encode(plans));
}
