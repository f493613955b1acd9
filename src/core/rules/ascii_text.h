#pragma once

#include <string_view>

// Letters, blanks and trimming of text that is ASCII whatever the locale says.
namespace ascii_text {

constexpr char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// `text` without the blanks at either end.
constexpr std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace ascii_text
