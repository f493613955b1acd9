#include "core/files/plan_list_file.h"

#include "core/files/atomic_save.h"
#include "core/files/file_fields.h"
#include "core/files/file_reader.h"
#include "core/files/span_source.h"
#include "core/model/byte_order.h"
#include "core/model/name_text.h"
#include "core/rules/longitude.h"

#include <algorithm>
#include <array>
#include <utility>

namespace plan_list_file {

namespace {

constexpr std::size_t kCountOffset = kBlockSize;
constexpr std::size_t kRecordsOffset = kBlockSize + 4;

} // namespace

std::vector<std::uint8_t> encode(std::span<const CComonOrbitune* const> plans)
{
    std::size_t size = 4;
    for (const auto* p : plans)
        size += kRecordsOffset + SateChannel::kRecordSize * p->usedChannels().size();
    std::vector<std::uint8_t> out(size);
    bytes::putI32le(out, 0, static_cast<std::int32_t>(plans.size()));
    std::size_t at = 4;
    for (std::size_t j = 0; j < plans.size(); ++j) {
        const CComonOrbitune& plan = *plans[j];
        const auto block = std::span(out).subspan(at);
        bytes::putI32le(block, 0, plan.flag);
        block[4] = static_cast<std::uint8_t>(j + 1);
        file_fields::putName(plan.name, block.subspan(5, CComonOrbitune::kNameSize));
        longitude::store(longitude::fileText(plan.longitude, plan.isEast == 1),
                         block.subspan<14, longitude::kFieldSize>());
        block[21] = static_cast<std::uint8_t>(plan.channelCount);
        bytes::putI32le(block, 24, plan.lnbLow);
        bytes::putI32le(block, 28, plan.lnbHigh);
        const auto used = plan.usedChannels();
        bytes::putI32le(block, kCountOffset, static_cast<std::int32_t>(used.size()));
        for (std::size_t k = 0; k < used.size(); ++k)
            file_fields::putTpRecord(
                used[k], used[k].number,
                block.subspan(kRecordsOffset + SateChannel::kRecordSize * k).first<SateChannel::kRecordSize>());
        at += kRecordsOffset + SateChannel::kRecordSize * used.size();
    }
    return out;
}

namespace {

// Reads the plans from bytes that `next` gives in order: it fills a buffer
// with the next bytes as far as they go and answers how many it put there.
// Whatever a buffer does not get stays zero. `available` is how many bytes
// there are at most.
template <typename Next> Content decodeFrom(Next next, std::size_t available)
{
    Content content;
    std::array<std::uint8_t, 4> count{};
    next(std::span(count));
    content.planCount = bytes::i32le(count, 0);
    // Each plan read starts before the end of the bytes and takes its block
    // and TP count, at least.
    const std::size_t fitting = (available - std::min<std::size_t>(available, 4) + kRecordsOffset - 1) / kRecordsOffset;
    content.plans.reserve(std::min(
        {static_cast<std::size_t>(std::max(content.planCount, 0)), fitting, static_cast<std::size_t>(kMaxPlans)}));
    std::array<std::uint8_t, kBlockSize> block{};
    std::array<std::uint8_t, SateChannel::kRecordSize> record{};
    for (std::int32_t i = 0; i < content.planCount && content.plans.size() < static_cast<std::size_t>(kMaxPlans); ++i) {
        block.fill(0);
        if (next(std::span(block)) == 0)
            break;
        CComonOrbitune& plan = content.plans.emplace_back();
        plan.tag = 100;
        plan.number = block[4];
        names::copyField(std::span(block).subspan(5, CComonOrbitune::kNameSize), plan.name);
        plan.flag = bytes::i32le(block, 0);
        plan.lnbLow = bytes::i32le(block, 24);
        plan.lnbHigh = bytes::i32le(block, 28);
        const auto text = longitude::textOf(std::span(block).template subspan<14, longitude::kFieldSize>());
        plan.longitude = longitude::parseDegrees(text);
        plan.isEast = text.find('E') != std::string_view::npos ? 1 : 0;
        count.fill(0);
        const bool more = next(std::span(count)) == count.size();
        const std::int32_t tpCount = bytes::i32le(count, 0);
        plan.channelCapacity = CComonOrbitune::kSlotCount;
        plan.channelCount = 0;
        plan.channelsAdded = tpCount;
        plan.id = Guid::generate();
        for (std::int32_t k = 0; more && k < tpCount; ++k) {
            record.fill(0);
            if (next(std::span(record)) == 0)
                break;
            if (plan.channelCount < CComonOrbitune::kSlotCount) {
                auto channel = SateChannel::decodeRecord(record);
                channel.id = Guid::generate();
                plan.appendChannel(channel);
            }
        }
    }
    std::array<std::uint8_t, 1> more{};
    if (content.plans.size() == static_cast<std::size_t>(kMaxPlans) && content.planCount > kMaxPlans &&
        next(std::span(more)) > 0)
        content.plansNotTaken = content.planCount - kMaxPlans;
    return content;
}

} // namespace

Content decode(std::span<const std::uint8_t> in)
{
    return decodeFrom(SpanSource(in), in.size());
}

} // namespace plan_list_file

PlanListReadResult readPlanListFile(const std::filesystem::path& path, PlanList& plans)
{
    if (path.empty())
        return {};
    FileReader file(path);
    if (file.error())
        return {std::nullopt, file.error()};
    // Bytes past the largest file there can be are not read, but for one that
    // tells whether plans follow the last one taken.
    std::size_t left = plan_list_file::kMaxFileSize + 1;
    auto content = plan_list_file::decodeFrom(
        [&](std::span<std::uint8_t> out) {
            const std::size_t got = file.read(out.first(std::min(out.size(), left)));
            left -= got;
            return got;
        },
        std::min(file.size().value_or(plan_list_file::kMaxFileSize), plan_list_file::kMaxFileSize));
    if (file.error())
        return {std::nullopt, file.error()};
    plans.appendAll(std::move(content.plans));
    return {content.planCount, std::nullopt, content.plansNotTaken};
}

SaveResult writePlanListFile(const std::filesystem::path& path, std::span<const CComonOrbitune* const> plans)
{
    return saveFileAtomically(path, plan_list_file::encode(plans));
}
