#include "core/files/plan_list_file.h"

#include "core/files/atomic_save.h"
#include "core/files/file_fields.h"
#include "core/model/byte_order.h"
#include "core/model/name_text.h"
#include "core/rules/longitude.h"

#include <algorithm>
#include <array>

namespace plan_list_file {

namespace {

constexpr std::size_t kCountOffset = kBlockSize;
constexpr std::size_t kRecordsOffset = kBlockSize + 4;
using file_fields::chunkAt;

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

Content decode(std::span<const std::uint8_t> in)
{
    Content content;
    content.planCount = bytes::i32le(chunkAt<4>(in, 0), 0);
    std::size_t at = 4;
    for (std::int32_t i = 0; i < content.planCount && content.plans.size() < static_cast<std::size_t>(kMaxPlans); ++i) {
        if (at >= in.size())
            break;
        const auto block = chunkAt<kBlockSize>(in, at);
        CComonOrbitune plan;
        plan.tag = 100;
        plan.number = block[4];
        names::copyField(std::span(block).subspan(5, CComonOrbitune::kNameSize), plan.name);
        plan.flag = bytes::i32le(block, 0);
        plan.lnbLow = bytes::i32le(block, 24);
        plan.lnbHigh = bytes::i32le(block, 28);
        const auto text = longitude::textOf(std::span(block).subspan<14, longitude::kFieldSize>());
        plan.longitude = longitude::parseDegrees(text);
        plan.isEast = text.find('E') != std::string_view::npos ? 1 : 0;
        const std::int32_t tpCount = bytes::i32le(chunkAt<4>(in, at + kCountOffset), 0);
        plan.channelCapacity = CComonOrbitune::kSlotCount;
        plan.channelCount = 0;
        plan.channelsAdded = tpCount;
        plan.id = Guid::generate();
        at += kRecordsOffset;
        for (std::int32_t k = 0; k < tpCount && at < in.size(); ++k) {
            if (plan.channelCount < CComonOrbitune::kSlotCount) {
                auto channel = SateChannel::decodeRecord(chunkAt<SateChannel::kRecordSize>(in, at));
                channel.id = Guid::generate();
                plan.appendChannel(channel);
            }
            at += SateChannel::kRecordSize;
        }
        content.plans.push_back(plan);
    }
    return content;
}

} // namespace plan_list_file

PlanListReadResult readPlanListFile(const std::filesystem::path& path, PlanList& plans)
{
    if (path.empty())
        return {};
    auto file = readFilePrefix(path, plan_list_file::kMaxFileSize);
    if (file.error)
        return {std::nullopt, file.error};
    auto content = plan_list_file::decode(file.bytes);
    for (const auto& plan : content.plans)
        plans.append(plan);
    return {content.planCount, std::nullopt};
}

SaveResult writePlanListFile(const std::filesystem::path& path, std::span<const CComonOrbitune* const> plans)
{
    return saveFileAtomically(path, plan_list_file::encode(plans));
}
