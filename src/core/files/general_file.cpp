#include "core/files/general_file.h"

#include "core/files/atomic_save.h"
#include "core/files/file_reader.h"
#include "core/files/span_source.h"
#include "core/model/byte_order.h"
#include "core/model/unique_ids.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <vector>

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

namespace {

// Reads the plans from bytes that `next` gives in order: it fills a buffer
// with the next bytes as far as they go and answers how many it put there.
// `available` is how many bytes there are at most.
template <typename Next> Content decodeFrom(Next next, std::size_t available)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    next(std::span(header));
    Content content;
    content.nextPlanNumber = bytes::i32le(header, 16);
    const std::uint32_t announced = bytes::u32le(header, 12);

    const std::size_t body = available - std::min(available, kHeaderSize);
    const std::size_t images = body / CComonOrbitune::kImageSize + (body % CComonOrbitune::kImageSize != 0 ? 1 : 0);
    const std::size_t held = std::min(static_cast<std::size_t>(announced), images);
    content.plans.reserve(std::min(held, static_cast<std::size_t>(kMaxPlans)));
    // The last record, cut short, reads as zero-padded.
    std::vector<std::uint8_t> image(CComonOrbitune::kImageSize);
    for (std::uint32_t i = 0; i < announced && content.plans.size() < static_cast<std::size_t>(kMaxPlans); ++i) {
        std::fill(image.begin(), image.end(), std::uint8_t{0});
        if (next(std::span(image)) == 0)
            break;
        content.plans.push_back(CComonOrbitune::decode(
            std::span<const std::uint8_t, CComonOrbitune::kImageSize>(image.data(), image.size())));
    }
    if (content.plans.size() == static_cast<std::size_t>(kMaxPlans) && held > content.plans.size())
        content.plansNotTaken = static_cast<int>(
            std::min<std::size_t>(held - content.plans.size(), std::numeric_limits<std::int32_t>::max()));
    freshenRepeatedIds(content.plans);
    return content;
}

} // namespace

Content decode(std::span<const std::uint8_t> in)
{
    return decodeFrom(SpanSource(in), in.size());
}

} // namespace general_file

GeneralReadResult readGeneralFile(const std::filesystem::path& path, PlanList& plans)
{
    if (path.empty())
        return {};
    plans.removeAll();
    FileReader file(path);
    if (file.error())
        return {std::nullopt, file.error()};
    // A file of unknown size is taken to hold what its header announces.
    auto content = general_file::decodeFrom([&file](std::span<std::uint8_t> out) { return file.read(out); },
                                            file.size().value_or(std::numeric_limits<std::size_t>::max()));
    if (file.error())
        return {std::nullopt, file.error()};
    plans.appendAll(std::move(content.plans));
    return {content.nextPlanNumber, std::nullopt, content.plansNotTaken};
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
