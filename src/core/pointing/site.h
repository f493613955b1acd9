#pragma once

#include "core/res/string_ids.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Where the dish stands: geographic latitude and longitude in degrees, north
// and east positive, latitude -90 to 90 and longitude -180 to 180.
struct Site {
    double latitude = 0.0;
    double longitude = 0.0;

    friend bool operator==(const Site&, const Site&) = default;
};

// A site the user named and keeps in the list of cities.
struct NamedSite {
    std::string name;
    Site site;

    friend bool operator==(const NamedSite&, const NamedSite&) = default;
};

// The cities offered before the user adds any: the name's message and the
// city centre, to two decimals.
struct KnownCity {
    MessageId name;
    Site site;
};

inline constexpr std::array<KnownCity, 8> kKnownCities{{
    {msg::kCityBerlin, {52.52, 13.40}},
    {msg::kCityLondon, {51.51, -0.13}},
    {msg::kCityMoscow, {55.76, 37.62}},
    {msg::kCityDubai, {25.20, 55.27}},
    {msg::kCityBeijing, {39.90, 116.40}},
    {msg::kCityShanghai, {31.23, 121.47}},
    {msg::kCitySydney, {-33.87, 151.21}},
    {msg::kCityNewYork, {40.71, -74.01}},
}};

// Sites as text, always with "." as the decimal point, whatever the locale.
namespace site_text {

// A latitude: a decimal number of degrees with a sign ("-33.9") or a
// hemisphere letter after it ("33.9S", "52.5n"), blanks around it allowed;
// nothing for any other text or a value beyond 90 degrees.
std::optional<double> parseLatitude(std::string_view text);
// A longitude the same way, with the letters E and W, up to 180 degrees.
std::optional<double> parseLongitude(std::string_view text);
// "LAT,LON", each part as above: "52.5,13.4", "40.7N,74.0W".
std::optional<Site> parseSite(std::string_view text);

// Degrees with two decimals and the hemisphere letter: "52.50N", "74.00W".
std::string latitudeText(double latitude);
std::string longitudeText(double longitude);

} // namespace site_text
