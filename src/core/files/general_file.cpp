#include "core/files/general_file.h"

#include "core/files/atomic_save.h"
#include "core/model/byte_order.h"
#include "core/model/unique_ids.h"

#include <algorithm>
#include <array>

namespace general_file {

namespace {

constexpr std::array<std::uint8_t, 8> kMarker{'T', 'a', 'v', 'o', 'r', 'e', 'x', 0};

} // namespace

std::vector<std::uint8_t> encode(std::span<const CComonOrbitune* const> plans, bool renumber)
{
    std::vector<std::uint8_t> out(kHeaderSize + CComonOrbitune::kImageSize * plans.size());
    const auto count = static_cast<std::uint32_t>(plans.size());
    std::copy(kMarker.begin(), kMarker.end(), out.begin());
    bytes::putI32le(out, 8, 100);
    bytes::putU32le(out, 12, count);
    bytes::putU32le(out, 16, count);
    bytes::putI32le(out, 20, 255);
    for (std::size_t j = 0; j < plans.size(); ++j) {
        const auto image =
            std::span(out).subspan(kHeaderSize + j * CComonOrbitune::kImageSize).first<CComonOrbitune::kImageSize>();
        plans[j]->encode(image);
        if (renumber)
            image[12] = static_cast<std::uint8_t>(j);
    }
    return out;
}

Content decode(std::span<const std::uint8_t> in)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    std::copy_n(in.begin(), std::min(in.size(), header.size()), header.begin());
    Content content;
    content.nextPlanNumber = bytes::i32le(header, 16);
    const std::uint32_t announced = bytes::u32le(header, 12);

    const std::size_t images =
        (in.size() - std::min(in.size(), kHeaderSize) + CComonOrbitune::kImageSize - 1) / CComonOrbitune::kImageSize;
    content.plans.reserve(std::min({static_cast<std::size_t>(announced), images, static_cast<std::size_t>(kMaxPlans)}));
    for (std::uint32_t i = 0; i < announced && content.plans.size() < static_cast<std::size_t>(kMaxPlans); ++i) {
        const std::size_t start = kHeaderSize + CComonOrbitune::kImageSize * i;
        if (start >= in.size())
            break;
        const auto available = in.subspan(start, std::min(CComonOrbitune::kImageSize, in.size() - start));
        if (available.size() == CComonOrbitune::kImageSize) {
            content.plans.push_back(CComonOrbitune::decode(available.first<CComonOrbitune::kImageSize>()));
            continue;
        }
        // The last record, cut short, reads as zero-padded.
        std::array<std::uint8_t, CComonOrbitune::kImageSize> image{};
        std::copy(available.begin(), available.end(), image.begin());
        content.plans.push_back(CComonOrbitune::decode(image));
    }
    freshenRepeatedIds(content.plans);
    return content;
}

} // namespace general_file

GeneralReadResult readGeneralFile(const std::filesystem::path& path, PlanList& plans)
{
    if (path.empty())
        return {};
    plans.removeAll();
    auto file = readFilePrefix(path, general_file::kMaxFileSize);
    if (file.error)
        return {std::nullopt, file.error};
    auto content = general_file::decode(file.bytes);
    plans.reserve(static_cast<int>(content.plans.size()));
    for (const auto& plan : content.plans)
        plans.append(plan);
    return {content.nextPlanNumber, std::nullopt};
}

SaveResult writeGeneralFile(const std::filesystem::path& path, std::span<const CComonOrbitune* const> plans)
{
    return saveFileAtomically(path, general_file::encode(plans, false));
}

SaveResult writeGeneralFileRenumbering(const std::filesystem::path& path, std::span<CComonOrbitune* const> plans)
{
    const std::vector<const CComonOrbitune*> view(plans.begin(), plans.end());
    auto result = saveFileAtomically(path, general_file::encode(view, true));
    if (result.ok())
        for (std::size_t j = 0; j < plans.size(); ++j)
            plans[j]->number = static_cast<std::uint8_t>(j);
    return result;
}
