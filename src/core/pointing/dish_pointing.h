#pragma once

#include "core/pointing/site.h"

#include <chrono>
#include <vector>

class CComonOrbitune;

// Where to point a dish at a geostationary satellite. The Earth is taken as a
// sphere of the equatorial radius (6378.137 km) and the satellite as sitting
// on the equator at 42164.17 km from the Earth's centre; the site is at sea
// level. Against the WGS 84 ellipsoid this moves the angles by less than
// 0.2 degrees, well within what a dish is aimed to.
struct DishPointing {
    // Degrees clockwise from true north, 0 to under 360. Straight up, where
    // any azimuth will do, it is 0.
    double azimuth = 0.0;
    // Degrees above the horizon; negative below it.
    double elevation = 0.0;
    // How far to turn the LNB from upright, in degrees: positive clockwise as
    // seen from behind the dish looking at the satellite. It is the angle
    // between the site's vertical and the satellite's vertical polarization
    // (parallel to the Earth's axis) as they reach the dish.
    double skew = 0.0;
    // From the site to the satellite, in km.
    double rangeKm = 0.0;

    bool aboveHorizon() const { return elevation > 0.0; }
};

// Why the magnetic azimuth is not given.
enum class CompassGap {
    None,
    // The World Magnetic Model 2025 holds from 2025-01-01 to 2029-12-31.
    BeforeModel,
    AfterModel,
    // Where the horizontal field is weaker than 2000 nT (near a magnetic
    // pole) a compass does not point north.
    NearMagneticPole,
    // At a geographic pole north has no direction.
    GeographicPole,
};

struct Declination {
    double degrees = 0.0; // east positive; only when `gap` is None
    CompassGap gap = CompassGap::None;

    bool known() const { return gap == CompassGap::None; }
};

namespace pointing {

inline constexpr double kEarthRadiusKm = 6378.137;
inline constexpr double kOrbitRadiusKm = 42164.17;

// The satellite at `satelliteLongitude` (degrees, east positive) from `site`.
DishPointing pointDish(const Site& site, double satelliteLongitude);

// A plan's orbital position in degrees, east positive.
double orbitalLongitude(const CComonOrbitune& plan);

// The compass bearing of a true azimuth where the compass points
// `declination` degrees east of true north, 0 to under 360.
double magneticAzimuth(double trueAzimuth, double declination);

// The part of the geostationary orbit above the site's horizon, from its
// eastern end on the horizon to its western one, as `points` pointings
// (at least 2). Empty where the orbit never rises (beyond 81.3 degrees of
// latitude on a sphere).
std::vector<DishPointing> visibleArc(const Site& site, int points);

// The declination at the site on `day`, from the World Magnetic Model 2025.
Declination declinationAt(const Site& site, std::chrono::year_month_day day);

// Today's date in UTC.
std::chrono::year_month_day today();

} // namespace pointing
