#include "core/model/sate_channel.h"

#include "core/model/byte_order.h"
#include "core/model/name_text.h"

#include <algorithm>

namespace {

// The fourteen 32-bit fields from `enabled` (offset 12) to `lnbLo` (offset 64).
template <typename Channel, typename Visit> void forEachWord(Channel& c, Visit visit)
{
    visit(12, c.enabled);
    visit(16, c.signalType);
    visit(20, c.reserved1);
    visit(24, c.reserved2);
    visit(28, c.frequency);
    visit(32, c.bandwidth);
    visit(36, c.symbolRate);
    visit(40, c.reserved3);
    visit(44, c.codeRate);
    visit(48, c.modulation);
    visit(52, c.rollOff);
    visit(56, c.pilots);
    visit(60, c.polarization);
    visit(64, c.lnbLo);
}

void encodeHead(const SateChannel& c, std::span<std::uint8_t> out)
{
    out[0] = c.number;
    std::copy(c.name.begin(), c.name.end(), out.begin() + 1);
    forEachWord(c, [&](std::size_t at, auto v) { bytes::putU32le(out, at, static_cast<std::uint32_t>(v)); });
}

SateChannel decodeHead(std::span<const std::uint8_t> in)
{
    SateChannel c;
    c.number = in[0];
    std::copy_n(in.begin() + 1, c.name.size(), c.name.begin());
    forEachWord(c, [&](std::size_t at, auto& v) {
        v = static_cast<std::remove_reference_t<decltype(v)>>(bytes::u32le(in, at));
    });
    return c;
}

} // namespace

std::string SateChannel::nameText() const
{
    return names::toText(name);
}

void SateChannel::setNameText(std::string_view text)
{
    names::fromText(text, name);
}

SateChannel SateChannel::withAddDefaults(std::uint8_t number, std::string_view nameText)
{
    SateChannel c;
    c.number = number;
    c.setNameText(nameText);
    c.enabled = stored(Enable::Enable);
    c.signalType = stored(SignalType::DVB_S);
    c.frequency = 350000;
    c.bandwidth = 1350;
    c.symbolRate = 10000;
    c.reserved3 = 1;
    c.codeRate = kDvbSDefaultCodeRate;
    c.modulation = stored(Modulation::QPSK);
    c.rollOff = stored(RollOff::R035);
    c.pilots = stored(Pilots::Off);
    c.polarization = stored(Polarization::HorizLeft);
    c.lnbLo = stored(LnbLo::Auto);
    c.id = Guid::generate();
    return c;
}

void SateChannel::encode(std::span<std::uint8_t, kImageSize> out) const
{
    encodeHead(*this, out);
    std::copy(unused.begin(), unused.end(), out.begin() + 68);
    std::copy(id.bytes.begin(), id.bytes.end(), out.begin() + 80);
}

SateChannel SateChannel::decode(std::span<const std::uint8_t, kImageSize> in)
{
    SateChannel c = decodeHead(in);
    std::copy_n(in.begin() + 68, c.unused.size(), c.unused.begin());
    std::copy_n(in.begin() + 80, c.id.bytes.size(), c.id.bytes.begin());
    return c;
}

void SateChannel::encodeRecord(std::span<std::uint8_t, kRecordSize> out) const
{
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    encodeHead(*this, out);
}

SateChannel SateChannel::decodeRecord(std::span<const std::uint8_t, kRecordSize> in)
{
    SateChannel c = decodeHead(in);
    names::copyField(in.subspan(1, kNameSize), c.name);
    return c;
}
