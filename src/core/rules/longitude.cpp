#include "core/rules/longitude.h"

#include "core/rules/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace longitude {

namespace {

char letter(bool east)
{
    return east ? 'E' : 'W';
}

// `number` followed by the letter, the number cut to leave room for it.
std::string withLetter(std::string number, bool east)
{
    number.resize(std::min(number.size(), kMaxChars - 1));
    number.push_back(letter(east));
    return number;
}

} // namespace

std::string degreesText(float degrees)
{
    return decimal::formatFixed(static_cast<double>(degrees), 1);
}

std::string hemisphereText(float degrees, bool east)
{
    return degreesText(degrees) + letter(east);
}

std::string fileText(float degrees, bool east)
{
    return withLetter(degreesText(degrees), east);
}

std::string frameText(float degrees, bool east)
{
    const std::string number = degreesText(degrees);
    // The prefix follows the value as printed, so that a value that rounds up
    // to 10.0 or 100.0 still fits six characters.
    const double rounded = leadingNumber(number).value_or(0.0);
    const char* prefix = rounded < 10.0 ? "00" : rounded < 100.0 ? "0" : "";
    return withLetter(prefix + number, east);
}

void store(std::string_view text, std::span<std::uint8_t, kFieldSize> field)
{
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    std::copy_n(text.begin(), std::min(text.size(), kMaxChars), field.begin());
}

std::string_view textOf(std::span<const std::uint8_t> bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<std::size_t>(end - bytes.begin())};
}

std::optional<double> leadingNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    // from_chars takes a minus sign but no plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || !std::isfinite(value))
        return std::nullopt;
    return value;
}

float parseDegrees(std::string_view text)
{
    const auto value = leadingNumber(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return 0.0F;
    return static_cast<float>(*value);
}

} // namespace longitude
