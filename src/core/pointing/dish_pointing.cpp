#include "core/pointing/dish_pointing.h"

#include "core/model/comon_orbitune.h"
#include "core/pointing/wmm2025_coefficients.h"
#include "core/pointing/world_magnetic_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// Weaker than this, the WMM's report counts a compass as unreliable.
constexpr double kCompassLimitNt = 2000.0;

using Vector = std::array<double, 3>;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

double degrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

double dot(const Vector& a, const Vector& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vector cross(const Vector& a, const Vector& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// `v` less its part along the unit vector `u`.
Vector across(const Vector& v, const Vector& u)
{
    const double along = dot(v, u);
    return {v[0] - along * u[0], v[1] - along * u[1], v[2] - along * u[2]};
}

double normalised(double degrees)
{
    const double wrapped = std::fmod(degrees, 360.0);
    const double result = wrapped < 0.0 ? wrapped + 360.0 : wrapped;
    return result >= 360.0 ? 0.0 : result;
}

} // namespace

namespace pointing {

DishPointing pointDish(const Site& site, double satelliteLongitude)
{
    // Earth-centred axes: x towards longitude 0 on the equator, z to the
    // north pole. The site's own axes: east, north and up.
    const double phi = radians(site.latitude);
    const double lambda = radians(site.longitude);
    const double sat = radians(satelliteLongitude);
    const Vector up{std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
    const Vector east{-std::sin(lambda), std::cos(lambda), 0.0};
    const Vector north{-std::sin(phi) * std::cos(lambda), -std::sin(phi) * std::sin(lambda), std::cos(phi)};
    const Vector satellite{kOrbitRadiusKm * std::cos(sat), kOrbitRadiusKm * std::sin(sat), 0.0};
    const Vector toSatellite{satellite[0] - kEarthRadiusKm * up[0], satellite[1] - kEarthRadiusKm * up[1],
                             satellite[2] - kEarthRadiusKm * up[2]};

    DishPointing result;
    result.rangeKm = std::sqrt(dot(toSatellite, toSatellite));
    const double e = dot(toSatellite, east);
    const double n = dot(toSatellite, north);
    const double u = dot(toSatellite, up);
    result.azimuth = normalised(degrees(std::atan2(e, n)));
    result.elevation = degrees(std::atan2(u, std::hypot(e, n)));

    // Both verticals as they cross the line of sight; the skew turns the
    // site's one into the satellite's one about the line of sight.
    const Vector sight{toSatellite[0] / result.rangeKm, toSatellite[1] / result.rangeKm,
                       toSatellite[2] / result.rangeKm};
    const Vector siteVertical = across(up, sight);
    const Vector satelliteVertical = across({0.0, 0.0, 1.0}, sight);
    result.skew =
        degrees(std::atan2(dot(sight, cross(siteVertical, satelliteVertical)), dot(siteVertical, satelliteVertical)));
    return result;
}

double orbitalLongitude(const CComonOrbitune& plan)
{
    const double degrees = static_cast<double>(plan.longitude);
    return plan.isEast != 0 ? degrees : -degrees;
}

double magneticAzimuth(double trueAzimuth, double declination)
{
    return normalised(trueAzimuth - declination);
}

std::vector<DishPointing> visibleArc(const Site& site, int points)
{
    // On the horizon cos(latitude) cos(longitude difference) equals the ratio
    // of the Earth's radius to the orbit's.
    const double reach = kEarthRadiusKm / kOrbitRadiusKm / std::cos(radians(site.latitude));
    if (!(reach <= 1.0))
        return {};
    const double half = degrees(std::acos(reach));
    const int count = std::max(points, 2);
    std::vector<DishPointing> arc;
    arc.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        arc.push_back(pointDish(site, site.longitude + half - 2.0 * half * i / (count - 1)));
    return arc;
}

Declination declinationAt(const Site& site, std::chrono::year_month_day day)
{
    const double year = wmm2025::decimalYear(day);
    if (year < wmm2025::kEpoch)
        return {0.0, CompassGap::BeforeModel};
    if (!wmm2025::holdsAt(year))
        return {0.0, CompassGap::AfterModel};
    const auto field = wmm2025::fieldAt(site.latitude, site.longitude, 0.0, year);
    if (!field)
        return {0.0, CompassGap::GeographicPole};
    if (field->horizontal() < kCompassLimitNt)
        return {0.0, CompassGap::NearMagneticPole};
    return {field->declination(), CompassGap::None};
}

std::chrono::year_month_day today()
{
    return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
}

} // namespace pointing
