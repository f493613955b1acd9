#include "core/pointing/site.h"

#include "core/rules/ascii_text.h"
#include "core/rules/decimal_text.h"

#include <charconv>
#include <cmath>

namespace {

using ascii_text::trimmed;
using ascii_text::upper;

// Degrees with a sign, or with one of two hemisphere letters after them (the
// second one negative), within `limit`.
std::optional<double> parseDegrees(std::string_view text, char positive, char negative, double limit)
{
    text = trimmed(text);
    double sign = 1.0;
    bool lettered = false;
    if (!text.empty() && (upper(text.back()) == positive || upper(text.back()) == negative)) {
        sign = upper(text.back()) == negative ? -1.0 : 1.0;
        lettered = true;
        text = trimmed(text.substr(0, text.size() - 1));
    }
    if (text.empty() || (lettered && (text.front() == '-' || text.front() == '+')))
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    // Digits, at most one point, a sign only in front: no exponent, no
    // words such as "inf".
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!((text[i] >= '0' && text[i] <= '9') || text[i] == '.' || (i == 0 && text[i] == '-')))
            return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value) || std::abs(value) > limit)
        return std::nullopt;
    return sign * value + 0.0;
}

std::string hemisphereText(double degrees, char positive, char negative)
{
    const std::string number = decimal::formatFixed(std::abs(degrees), 2);
    const bool zero = number.find_first_not_of("0.") == std::string::npos;
    return number + (degrees < 0.0 && !zero ? negative : positive);
}

} // namespace

namespace site_text {

std::optional<double> parseLatitude(std::string_view text)
{
    return parseDegrees(text, 'N', 'S', 90.0);
}

std::optional<double> parseLongitude(std::string_view text)
{
    return parseDegrees(text, 'E', 'W', 180.0);
}

std::optional<Site> parseSite(std::string_view text)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto latitude = parseLatitude(text.substr(0, comma));
    const auto longitude = parseLongitude(text.substr(comma + 1));
    if (!latitude || !longitude)
        return std::nullopt;
    return Site{*latitude, *longitude};
}

std::string latitudeText(double latitude)
{
    return hemisphereText(latitude, 'N', 'S');
}

std::string longitudeText(double longitude)
{
    return hemisphereText(longitude, 'E', 'W');
}

} // namespace site_text
