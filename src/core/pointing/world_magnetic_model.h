#pragma once

#include <chrono>
#include <optional>

// The main geomagnetic field at a point, in the geodetic frame of the point:
// its north, east and down components in nT.
struct MagneticField {
    double north = 0.0;
    double east = 0.0;
    double down = 0.0;

    double horizontal() const;
    double total() const;
    // Degrees from true north to the horizontal field, east positive: how far
    // a compass needle points east of true north.
    double declination() const;
    // Degrees from the horizontal down to the field.
    double inclination() const;
};

// The World Magnetic Model 2025: a spherical harmonic model of degree 12 on
// the WGS 84 ellipsoid, with a linear change of its coefficients in time.
// Its coefficients are in wmm2025_coefficients.cpp.
namespace wmm2025 {

// The decimal year of a day as the model counts time: the year plus the days
// before the day over the days of its year. 2025-01-01 is 2025.0.
double decimalYear(std::chrono::year_month_day day);

// Whether the model holds at a decimal year: from 2025.0 up to, not including,
// 2030.0, so every day from 2025-01-01 to 2029-12-31.
bool holdsAt(double decimalYear);

// The field at geodetic latitude and longitude (degrees, north and east
// positive), height above the ellipsoid (km) and decimal year. Nothing where
// the model gives no answer: outside its years, at a geographic pole (where
// north has no direction), or for an input that is not a finite number.
std::optional<MagneticField> fieldAt(double latitude, double longitude, double heightKm, double decimalYear);

} // namespace wmm2025
