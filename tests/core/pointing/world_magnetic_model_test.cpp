#include "core/pointing/world_magnetic_model.h"

#include <gtest/gtest.h>

#include <limits>

using namespace std::chrono;

namespace {

// The test values published with the model (WMM2025_TEST_VALUES.txt of the
// WMM2025 release, NOAA NCEI): decimal year, height above the ellipsoid (km),
// geodetic latitude and longitude, then X, Y and Z (nT) and the declination
// (degrees), rounded as published.
struct TestValue {
    double year;
    double heightKm;
    double latitude;
    double longitude;
    double north;
    double east;
    double down;
    double declination;
};

constexpr TestValue kPublished[] = {
    {2025.0, 0, 80, 0, 6521.6, 145.9, 54791.5, 1.28},        {2025.0, 0, 0, 120, 39677.8, -109.6, -10580.2, -0.16},
    {2025.0, 0, -80, 240, 6117.5, 15751.9, -52022.5, 68.78}, {2025.0, 100, 80, 0, 6216.0, 92.4, 52598.8, 0.85},
    {2025.0, 100, 0, 120, 37688.6, -96.2, -10152.1, -0.15},  {2025.0, 100, -80, 240, 5907.6, 14780.3, -49540.7, 68.21},
    {2027.5, 0, 80, 0, 6500.8, 294.5, 54869.4, 2.59},        {2027.5, 0, 0, 120, 39701.6, -167.4, -10381.8, -0.24},
    {2027.5, 0, -80, 240, 6200.7, 15730.3, -51783.7, 68.49}, {2027.5, 100, 80, 0, 6196.7, 233.8, 52670.5, 2.16},
    {2027.5, 100, 0, 120, 37711.5, -148.7, -9969.8, -0.23},  {2027.5, 100, -80, 240, 5984.0, 14760.1, -49317.7, 67.93},
};

TEST(WorldMagneticModel, GivesThePublishedTestValues)
{
    for (const TestValue& v : kPublished) {
        const auto field = wmm2025::fieldAt(v.latitude, v.longitude, v.heightKm, v.year);
        ASSERT_TRUE(field) << v.year << ' ' << v.latitude;
        // Within the rounding of the published figures.
        EXPECT_NEAR(field->north, v.north, 0.051) << v.year << ' ' << v.heightKm << ' ' << v.latitude;
        EXPECT_NEAR(field->east, v.east, 0.051) << v.year << ' ' << v.heightKm << ' ' << v.latitude;
        EXPECT_NEAR(field->down, v.down, 0.051) << v.year << ' ' << v.heightKm << ' ' << v.latitude;
        EXPECT_NEAR(field->declination(), v.declination, 0.0051) << v.year << ' ' << v.heightKm << ' ' << v.latitude;
    }
    // The first row's inclination, horizontal and total intensity as
    // published: 83.21 degrees, 6523.2 nT and 55178.5 nT.
    const auto first = wmm2025::fieldAt(80, 0, 0, 2025.0);
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->inclination(), 83.21, 0.0051);
    EXPECT_NEAR(first->horizontal(), 6523.2, 0.051);
    EXPECT_NEAR(first->total(), 55178.5, 0.051);
}

TEST(WorldMagneticModel, HoldsFrom2025To2029Only)
{
    EXPECT_DOUBLE_EQ(wmm2025::decimalYear(2025y / January / 1), 2025.0);
    EXPECT_DOUBLE_EQ(wmm2025::decimalYear(2027y / July / 2), 2027.0 + 182.0 / 365.0);
    EXPECT_DOUBLE_EQ(wmm2025::decimalYear(2028y / December / 31), 2028.0 + 365.0 / 366.0);
    EXPECT_TRUE(wmm2025::holdsAt(wmm2025::decimalYear(2029y / December / 31)));
    EXPECT_FALSE(wmm2025::holdsAt(wmm2025::decimalYear(2030y / January / 1)));
    EXPECT_FALSE(wmm2025::holdsAt(wmm2025::decimalYear(2024y / December / 31)));
    EXPECT_FALSE(wmm2025::fieldAt(52.5, 13.4, 0, 2030.0));
    EXPECT_FALSE(wmm2025::fieldAt(52.5, 13.4, 0, 2024.999));
    // No answer where north has no direction, or for a number that is none.
    EXPECT_FALSE(wmm2025::fieldAt(90.0, 0, 0, 2026.0));
    EXPECT_FALSE(wmm2025::fieldAt(-90.0, 0, 0, 2026.0));
    EXPECT_FALSE(wmm2025::fieldAt(std::numeric_limits<double>::quiet_NaN(), 0, 0, 2026.0));
    EXPECT_FALSE(wmm2025::fieldAt(0, std::numeric_limits<double>::infinity(), 0, 2026.0));
    EXPECT_TRUE(wmm2025::fieldAt(89.9, 0, 0, 2026.0));
}

} // namespace
