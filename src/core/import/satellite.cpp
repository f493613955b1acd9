#include "core/import/satellite.h"

#include <algorithm>
#include <charconv>

std::string positionText(OrbitalPosition position)
{
    return std::to_string(position.tenths / 10) + "." + std::to_string(position.tenths % 10) +
           (position.east ? "E" : "W");
}

std::optional<OrbitalPosition> normalisedPosition(std::int64_t tenthsEast)
{
    constexpr std::int64_t kTurn = 2 * OrbitalPosition::kMaxTenths;
    if (tenthsEast <= -kTurn || tenthsEast >= kTurn)
        return std::nullopt;
    if (tenthsEast > OrbitalPosition::kMaxTenths)
        tenthsEast -= kTurn;
    else if (tenthsEast < -OrbitalPosition::kMaxTenths)
        tenthsEast += kTurn;
    return OrbitalPosition{static_cast<int>(tenthsEast < 0 ? -tenthsEast : tenthsEast), tenthsEast >= 0};
}

std::optional<OrbitalPosition> parsePosition(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const char letter = text.back();
    const bool east = letter == 'E' || letter == 'e';
    if (!east && letter != 'W' && letter != 'w')
        return std::nullopt;
    text.remove_suffix(1);
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view tenth = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    const auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || whole.size() > 4 || !digits(whole) || !digits(tenth) || tenth.size() > 1 ||
        (point != std::string_view::npos && tenth.empty()))
        return std::nullopt;
    int degrees = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), degrees);
    return OrbitalPosition{degrees * 10 + (tenth.empty() ? 0 : tenth[0] - '0'), east};
}

int Satellite::storableCount() const
{
    return static_cast<int>(
        std::count_if(tps.begin(), tps.end(), [](const SourceTp& tp) { return tp.channel.has_value(); }));
}
