#include "core/model/comon_orbitune.h"

#include "core/model/byte_order.h"
#include "core/model/name_text.h"
#include "core/model/record_order.h"

#include <algorithm>
#include <bit>
#include <vector>

std::string CComonOrbitune::nameText() const
{
    return names::toText(name);
}

void CComonOrbitune::setNameText(std::string_view text)
{
    names::fromText(text, name);
}

CComonOrbitune CComonOrbitune::withAddDefaults(std::uint8_t planNumber, std::string_view planName)
{
    CComonOrbitune p;
    p.tag = 100;
    p.flag = 1;
    p.number = planNumber;
    p.setNameText(planName);
    p.lnbLow = 1200000;
    p.lnbHigh = 1200000;
    p.longitude = 160.0F;
    p.isEast = 1;
    p.id = Guid::generate();
    return p;
}

std::span<SateChannel> CComonOrbitune::usedChannels()
{
    return std::span(channels).first(static_cast<std::size_t>(std::clamp(channelCount, 0, kSlotCount)));
}

std::span<const SateChannel> CComonOrbitune::usedChannels() const
{
    return std::span(channels).first(static_cast<std::size_t>(std::clamp(channelCount, 0, kSlotCount)));
}

void CComonOrbitune::appendChannel(const SateChannel& channel)
{
    if (channelCount < 0 || channelCount >= std::min(channelCapacity, kSlotCount))
        return;
    channels[static_cast<std::size_t>(channelCount)] = channel;
    ++channelCount;
}

void CComonOrbitune::insertChannel(int k, const SateChannel& channel)
{
    const int count = channelCount;
    if (k < 0 || k > count)
        return;
    appendChannel(channel);
    if (channelCount == count)
        return;
    std::rotate(channels.begin() + k, channels.begin() + count, channels.begin() + channelCount);
}

void CComonOrbitune::reorderChannels(std::span<const int> order)
{
    const std::vector<SateChannel> moved = reordered(std::span<const SateChannel>(usedChannels()), order);
    std::copy(moved.begin(), moved.end(), channels.begin());
}

void CComonOrbitune::removeChannelAt(int k)
{
    if (k < 0 || k >= channelCount)
        return;
    if (channelCount == 1) {
        channels.fill(SateChannel{});
        channelCount = 0;
        return;
    }
    std::copy(channels.begin() + k + 1, channels.begin() + channelCount, channels.begin() + k);
    channels[static_cast<std::size_t>(channelCount - 1)] = SateChannel{};
    --channelCount;
}

void CComonOrbitune::removeChannelById(const Guid& channelId)
{
    int last = -1;
    const auto used = usedChannels();
    for (std::size_t i = 0; i < used.size(); ++i)
        if (used[i].id == channelId)
            last = static_cast<int>(i);
    if (last >= 0)
        removeChannelAt(last);
}

SateChannel* CComonOrbitune::findChannelById(const Guid& channelId)
{
    for (auto& c : usedChannels())
        if (c.id == channelId)
            return &c;
    return nullptr;
}

const SateChannel* CComonOrbitune::findChannelById(const Guid& channelId) const
{
    for (const auto& c : usedChannels())
        if (c.id == channelId)
            return &c;
    return nullptr;
}

void CComonOrbitune::encode(std::span<std::uint8_t, kImageSize> out) const
{
    std::fill(out.begin(), out.begin() + 4, std::uint8_t{0});
    bytes::putI32le(out, 4, tag);
    bytes::putI32le(out, 8, flag);
    out[12] = number;
    std::copy(name.begin(), name.end(), out.begin() + 13);
    out[22] = countByte;
    out[23] = pad;
    bytes::putI32le(out, 24, lnbLow);
    bytes::putI32le(out, 28, lnbHigh);
    bytes::putU32le(out, 32, std::bit_cast<std::uint32_t>(longitude));
    bytes::putI32le(out, 36, isEast);
    std::copy(id.bytes.begin(), id.bytes.end(), out.begin() + 40);
    for (std::size_t i = 0; i < channels.size(); ++i)
        channels[i].encode(out.subspan(kSlotsOffset + i * SateChannel::kImageSize).first<SateChannel::kImageSize>());
    bytes::putI32le(out, 24536, channelCount);
    bytes::putI32le(out, 24540, channelCapacity);
    bytes::putI32le(out, 24544, channelsAdded);
}

CComonOrbitune CComonOrbitune::decode(std::span<const std::uint8_t, kImageSize> in)
{
    CComonOrbitune p;
    p.tag = bytes::i32le(in, 4);
    p.flag = bytes::i32le(in, 8);
    p.number = in[12];
    std::copy_n(in.begin() + 13, p.name.size(), p.name.begin());
    p.countByte = in[22];
    p.pad = in[23];
    p.lnbLow = bytes::i32le(in, 24);
    p.lnbHigh = bytes::i32le(in, 28);
    p.longitude = std::bit_cast<float>(bytes::u32le(in, 32));
    p.isEast = bytes::i32le(in, 36);
    std::copy_n(in.begin() + 40, p.id.bytes.size(), p.id.bytes.begin());
    for (std::size_t i = 0; i < p.channels.size(); ++i)
        p.channels[i] = SateChannel::decode(
            in.subspan(kSlotsOffset + i * SateChannel::kImageSize).first<SateChannel::kImageSize>());
    p.channelCount = std::clamp(bytes::i32le(in, 24536), 0, kSlotCount);
    p.channelCapacity = kSlotCount;
    p.channelsAdded = bytes::i32le(in, 24544);
    return p;
}
