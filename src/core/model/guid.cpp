#include "core/model/guid.h"

#include <random>

bool Guid::isNull() const
{
    for (auto b : bytes)
        if (b != 0)
            return false;
    return true;
}

Guid Guid::generate()
{
    thread_local std::mt19937_64 engine{[] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
        return std::mt19937_64{seed};
    }()};
    Guid g;
    for (std::size_t i = 0; i < g.bytes.size(); i += 8) {
        const auto r = engine();
        for (std::size_t k = 0; k < 8; ++k)
            g.bytes[i + k] = static_cast<std::uint8_t>(r >> (8 * k));
    }
    // Data3 is stored little-endian at bytes 6..7: its high nibble (byte 7) is
    // the version; byte 8 carries the RFC 4122 variant.
    g.bytes[7] = static_cast<std::uint8_t>((g.bytes[7] & 0x0F) | 0x40);
    g.bytes[8] = static_cast<std::uint8_t>((g.bytes[8] & 0x3F) | 0x80);
    return g;
}

namespace {

// Order in which the stored bytes appear in the text form.
constexpr std::array<int, 16> kTextOrder{3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string Guid::toString() const
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < kTextOrder.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.push_back('-');
        const auto b = bytes[static_cast<std::size_t>(kTextOrder[i])];
        text.push_back(kHex[b >> 4]);
        text.push_back(kHex[b & 0x0F]);
    }
    return text;
}

std::optional<Guid> Guid::fromString(std::string_view text)
{
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;
    Guid g;
    std::size_t pos = 0;
    for (std::size_t i = 0; i < kTextOrder.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            if (text[pos] != '-')
                return std::nullopt;
            ++pos;
        }
        const int hi = hexValue(text[pos]);
        const int lo = hexValue(text[pos + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        g.bytes[static_cast<std::size_t>(kTextOrder[i])] = static_cast<std::uint8_t>(hi << 4 | lo);
        pos += 2;
    }
    return g;
}
