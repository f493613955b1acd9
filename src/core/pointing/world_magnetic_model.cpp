#include "core/pointing/world_magnetic_model.h"

#include "core/pointing/wmm2025_coefficients.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

// WGS 84.
constexpr double kSemiMajorAxisKm = 6378.137;
constexpr double kFlattening = 1.0 / 298.257223563;
// The radius of the sphere the harmonics refer to.
constexpr double kReferenceRadiusKm = 6371.2;
// How close to a pole a latitude may come, in degrees.
constexpr double kPoleMargin = 1e-7;

constexpr int kSize = wmm2025::kDegree + 1;
using Table = std::array<std::array<double, kSize>, kSize>;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

double degrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

// The Schmidt semi-normalised associated Legendre functions P[n][m] of
// cos(colatitude) and their derivatives by the colatitude.
struct Legendre {
    Table p{};
    Table dp{};
};

Legendre legendreOf(double cosTheta, double sinTheta)
{
    Legendre l;
    l.p[0][0] = 1.0;
    for (int n = 1; n < kSize; ++n) {
        const auto un = static_cast<std::size_t>(n);
        if (n == 1) {
            l.p[1][1] = sinTheta;
            l.dp[1][1] = cosTheta;
        } else {
            const double k = std::sqrt((2.0 * n - 1.0) / (2.0 * n));
            l.p[un][un] = k * sinTheta * l.p[un - 1][un - 1];
            l.dp[un][un] = k * (cosTheta * l.p[un - 1][un - 1] + sinTheta * l.dp[un - 1][un - 1]);
        }
        for (int m = 0; m < n; ++m) {
            const auto um = static_cast<std::size_t>(m);
            const double below = n >= 2 ? std::sqrt(static_cast<double>((n - 1) * (n - 1) - m * m)) : 0.0;
            const double p2 = n >= 2 ? l.p[un - 2][um] : 0.0;
            const double dp2 = n >= 2 ? l.dp[un - 2][um] : 0.0;
            const double scale = std::sqrt(static_cast<double>(n * n - m * m));
            l.p[un][um] = ((2.0 * n - 1.0) * cosTheta * l.p[un - 1][um] - below * p2) / scale;
            l.dp[un][um] =
                ((2.0 * n - 1.0) * (cosTheta * l.dp[un - 1][um] - sinTheta * l.p[un - 1][um]) - below * dp2) / scale;
        }
    }
    return l;
}

} // namespace

double MagneticField::horizontal() const
{
    return std::hypot(north, east);
}

double MagneticField::total() const
{
    return std::hypot(horizontal(), down);
}

double MagneticField::declination() const
{
    return degrees(std::atan2(east, north));
}

double MagneticField::inclination() const
{
    return degrees(std::atan2(down, horizontal()));
}

namespace wmm2025 {

double decimalYear(std::chrono::year_month_day day)
{
    using namespace std::chrono;
    const sys_days start{day.year() / January / 1};
    const sys_days next{(day.year() + years{1}) / January / 1};
    const double elapsed = static_cast<double>((sys_days{day} - start).count());
    const double length = static_cast<double>((next - start).count());
    return static_cast<int>(day.year()) + elapsed / length;
}

bool holdsAt(double year)
{
    return year >= kEpoch && year < kValidUntil;
}

std::optional<MagneticField> fieldAt(double latitude, double longitude, double heightKm, double year)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || !std::isfinite(heightKm) || !holdsAt(year) ||
        std::abs(latitude) > 90.0 - kPoleMargin)
        return std::nullopt;

    // Geodetic to geocentric spherical coordinates.
    const double phi = radians(latitude);
    const double lambda = radians(longitude);
    const double e2 = kFlattening * (2.0 - kFlattening);
    const double curvature = kSemiMajorAxisKm / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    const double p = (curvature + heightKm) * std::cos(phi);
    const double z = (curvature * (1.0 - e2) + heightKm) * std::sin(phi);
    const double r = std::hypot(p, z);
    const double geocentric = std::asin(z / r);
    const double cosTheta = std::sin(geocentric);
    const double sinTheta = std::cos(geocentric);

    const Legendre l = legendreOf(cosTheta, sinTheta);
    const double t = year - kEpoch;
    double radial = 0.0;
    double colatitudinal = 0.0;
    double azimuthal = 0.0;
    for (const GaussCoefficient& c : kCoefficients) {
        const double g = c.g + t * c.gDot;
        const double h = c.h + t * c.hDot;
        const double ratio = std::pow(kReferenceRadiusKm / r, c.n + 2);
        const double cosM = std::cos(c.m * lambda);
        const double sinM = std::sin(c.m * lambda);
        const auto n = static_cast<std::size_t>(c.n);
        const auto m = static_cast<std::size_t>(c.m);
        const double term = g * cosM + h * sinM;
        radial += (c.n + 1) * ratio * term * l.p[n][m];
        colatitudinal -= ratio * term * l.dp[n][m];
        azimuthal += ratio * c.m * (g * sinM - h * cosM) * l.p[n][m] / sinTheta;
    }

    // North, east and down in the geocentric frame, turned into the geodetic one.
    const double northPrime = -colatitudinal;
    const double downPrime = -radial;
    const double psi = geocentric - phi;
    MagneticField field;
    field.north = northPrime * std::cos(psi) - downPrime * std::sin(psi);
    field.east = azimuthal;
    field.down = northPrime * std::sin(psi) + downPrime * std::cos(psi);
    return field;
}

} // namespace wmm2025
