#include "core/model/name_text.h"

#include <algorithm>
#include <cstdint>

namespace names {

std::string latin1ToUtf8(std::string_view latin1)
{
    std::string out;
    out.reserve(latin1.size());
    for (char c : latin1) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto u = static_cast<unsigned char>(utf8[i]);
        std::size_t len = 1;
        std::uint32_t cp = u;
        if (u >= 0xF0) {
            len = 4;
            cp = u & 0x07;
        } else if (u >= 0xE0) {
            len = 3;
            cp = u & 0x0F;
        } else if (u >= 0xC0) {
            len = 2;
            cp = u & 0x1F;
        } else if (u >= 0x80) {
            out.push_back('?'); // stray continuation byte
            ++i;
            continue;
        }
        if (i + len > utf8.size()) {
            out.push_back('?');
            break;
        }
        for (std::size_t k = 1; k < len; ++k)
            cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(cp <= 0xFF ? static_cast<char>(cp) : '?');
        i += len;
    }
    return out;
}

std::size_t charCount(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string toText(std::span<const char> field)
{
    const auto end = std::find(field.begin(), field.end(), '\0');
    return latin1ToUtf8(std::string_view(field.data(), static_cast<std::size_t>(end - field.begin())));
}

void fromText(std::string_view text, std::span<char> field, std::size_t maxChars)
{
    std::fill(field.begin(), field.end(), '\0');
    const std::string bytes = utf8ToLatin1(text);
    const std::size_t n = std::min({bytes.size(), maxChars, field.size() - 1});
    std::copy_n(bytes.begin(), n, field.begin());
}

void copyField(std::span<const std::uint8_t> source, std::span<char> field, std::size_t maxChars)
{
    std::fill(field.begin(), field.end(), '\0');
    const std::size_t limit = std::min({source.size(), maxChars, field.size() - 1});
    for (std::size_t i = 0; i < limit && source[i] != 0; ++i)
        field[i] = static_cast<char>(source[i]);
}

} // namespace names
