#include "files/longitude_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace longitude_text {

namespace {

std::string_view fieldText(std::span<const std::uint8_t, kFieldSize> field)
{
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(field.data()), static_cast<std::size_t>(end - field.begin())};
}

} // namespace

std::string format(float longitude, bool east)
{
    std::array<char, 64> digits{};
    const double value = longitude;
    const auto [end, ec] =
        std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, 1);
    std::string text = ec == std::errc{} ? std::string(digits.data(), end) : std::string("0.0");
    text.resize(std::min(text.size(), kFieldSize - 2));
    text.push_back(east ? 'E' : 'W');
    return text;
}

void store(float longitude, bool east, std::span<std::uint8_t, kFieldSize> field)
{
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    const std::string text = format(longitude, east);
    std::copy(text.begin(), text.end(), field.begin());
}

float parse(std::span<const std::uint8_t, kFieldSize> field)
{
    std::string_view text = fieldText(field);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{})
        return 0.0F;
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return 0.0F;
    return static_cast<float>(value);
}

bool contains(std::span<const std::uint8_t, kFieldSize> field, std::string_view letters)
{
    return fieldText(field).find_first_of(letters) != std::string_view::npos;
}

} // namespace longitude_text
