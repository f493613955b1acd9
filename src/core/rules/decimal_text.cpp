#include "core/rules/decimal_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace decimal {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string_view leadingNumber(std::string_view text)
{
    std::size_t end = 0;
    bool point = false;
    while (end < text.size()) {
        const char c = text[end];
        if (c == '.' && !point) {
            point = true;
        } else if (!isDigit(c)) {
            break;
        }
        ++end;
    }
    return text.substr(0, end);
}

Scaled scale(std::string_view text, int decimals)
{
    Scaled out;
    bool afterPoint = false;
    int fractionDigits = 0;
    for (const char c : leadingNumber(text)) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (afterPoint && fractionDigits == decimals) {
            out.dropped = out.dropped || digit != 0;
            continue;
        }
        if (afterPoint)
            ++fractionDigits;
        out.value = out.value >= Scaled::kLimit / 10 ? Scaled::kLimit : out.value * 10 + digit;
    }
    for (; fractionDigits < decimals; ++fractionDigits)
        out.value = out.value >= Scaled::kLimit / 10 ? Scaled::kLimit : out.value * 10;
    return out;
}

double parse(std::string_view text)
{
    std::string_view number = leadingNumber(text);
    if (!number.empty() && number.back() == '.')
        number.remove_suffix(1);
    if (number.empty())
        return 0.0;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity();
    return value;
}

std::string formatScaled(std::int64_t value, int decimals)
{
    const bool negative = value < 0;
    // Magnitude as unsigned, so that the most negative value is safe too.
    const std::uint64_t magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    const auto width = static_cast<std::size_t>(decimals);
    if (digits.size() <= width)
        digits.insert(0, width + 1 - digits.size(), '0');
    if (width > 0)
        digits.insert(digits.size() - width, 1, '.');
    return negative ? "-" + digits : digits;
}

std::string formatFixed(double value, int decimals)
{
    std::array<char, 400> buffer{};
    const auto [ptr, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    if (ec != std::errc{})
        return {};
    return {buffer.data(), ptr};
}

} // namespace decimal
