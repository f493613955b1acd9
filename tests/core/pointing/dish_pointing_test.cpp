#include "core/model/comon_orbitune.h"
#include "core/pointing/dish_pointing.h"
#include "core/pointing/plan_pointing.h"
#include "core/pointing/site.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace std::chrono;

namespace {

// Worked out by hand on the sphere of radius R = 6378.137 km with the orbit at
// r = 42164.17 km (R/r = 0.151270), for a site at latitude p and a satellite
// dl degrees east of it (dl negative to the west), with cos b = cos p cos dl:
//   elevation = atan((cos b - R/r) / sin b)
//   azimuth   = 180 - atan(tan dl / sin p)                (northern sites)
//   |skew|    = acos(sin p (r - R cos b) /
//                    sqrt((sin2 p + sin2 dl cos2 p)(r2 - 2 r R cos b + R2 cos2 p)))
//   range     = sqrt(R2 + r2 - 2 R r cos b)
// The skew turns counter-clockwise (negative) for a satellite east of a
// northern site, clockwise for one west of it.
struct HandWorked {
    Site site;
    double satellite;
    double azimuth;
    double elevation;
    double skew;
    double rangeKm;
};

TEST(DishPointing, MatchesHandWorkedValues)
{
    const HandWorked cases[] = {
        // Berlin to 19.2E: dl 5.8, cos b 0.60564.
        {{52.5, 13.4}, 19.2, 172.70, 29.73, -4.47, 38636.1},
        // New York to 97.0W: dl -23.0, cos b 0.69774.
        {{40.7, -74.0}, -97.0, 213.06, 37.35, 24.59, 37988.7},
        // Berlin to 97.0W: dl -110.4, cos b -0.21219 is below R/r.
        {{52.5, 13.4}, -97.0, 286.44, -20.40, 36.00, 43961.7},
    };
    for (const HandWorked& c : cases) {
        const DishPointing dish = pointing::pointDish(c.site, c.satellite);
        EXPECT_NEAR(dish.azimuth, c.azimuth, 0.005) << c.satellite;
        EXPECT_NEAR(dish.elevation, c.elevation, 0.005) << c.satellite;
        EXPECT_NEAR(dish.skew, c.skew, 0.005) << c.satellite;
        EXPECT_NEAR(dish.rangeKm, c.rangeKm, 0.05) << c.satellite;
        EXPECT_EQ(dish.aboveHorizon(), c.elevation > 0.0);
    }
}

TEST(DishPointing, StraightUpUnderTheSatelliteOnTheEquator)
{
    const DishPointing under = pointing::pointDish({0.0, 0.0}, 0.0);
    EXPECT_NEAR(under.elevation, 90.0, 1e-9);
    EXPECT_NEAR(under.skew, 0.0, 1e-9);
    EXPECT_NEAR(under.rangeKm, pointing::kOrbitRadiusKm - pointing::kEarthRadiusKm, 1e-6);
    // A little to the east the dish leans east, its LNB turned a quarter.
    const DishPointing east = pointing::pointDish({0.0, 100.0}, 110.0);
    EXPECT_NEAR(east.azimuth, 90.0, 1e-9);
    EXPECT_LT(east.elevation, 90.0);
    EXPECT_NEAR(std::abs(east.skew), 90.0, 1e-9);
    // South of the equator the satellite is north of the site.
    EXPECT_NEAR(pointing::pointDish({-33.9, 151.2}, 151.2).azimuth, 0.0, 1e-9);
}

TEST(DishPointing, PlansGiveTheirSignedPositionAndCompassBearing)
{
    auto plan = CComonOrbitune::withAddDefaults(1, "Astra");
    plan.longitude = 19.2F;
    plan.isEast = 1;
    EXPECT_NEAR(pointing::orbitalLongitude(plan), 19.2, 1e-5);
    plan.isEast = 0;
    EXPECT_NEAR(pointing::orbitalLongitude(plan), -19.2, 1e-5);

    // A compass pointing 5 degrees east of true north reads 5 less; bearings
    // stay within 0 to 360.
    EXPECT_NEAR(pointing::magneticAzimuth(172.7, 5.0), 167.7, 1e-9);
    EXPECT_NEAR(pointing::magneticAzimuth(2.0, 5.0), 357.0, 1e-9);
    EXPECT_NEAR(pointing::magneticAzimuth(358.0, -5.0), 3.0, 1e-9);

    const auto known = pointPlan(plan, {52.5, 13.4}, Declination{5.0, CompassGap::None});
    ASSERT_TRUE(known.magneticAzimuth);
    EXPECT_NEAR(*known.magneticAzimuth, known.dish.azimuth - 5.0, 1e-9);
    EXPECT_FALSE(pointPlan(plan, {52.5, 13.4}, Declination{0.0, CompassGap::AfterModel}).magneticAzimuth);
}

// The figures as every table of pointings shows them, in both languages, and
// the order a column of them sorts in.
TEST(DishPointing, FiguresAsTheTablesShowThem)
{
    auto astra = CComonOrbitune::withAddDefaults(1, "Astra");
    astra.longitude = 19.2F;
    astra.isEast = 1;
    auto galaxy = CComonOrbitune::withAddDefaults(2, "Galaxy");
    galaxy.longitude = 97.0F;
    galaxy.isEast = 0;
    const Site berlin{52.5, 13.4};
    const auto east = pointPlan(astra, berlin, Declination{4.2, CompassGap::None});
    const auto west = pointPlan(galaxy, berlin, Declination{0.0, CompassGap::AfterModel});
    const auto text = [](const PlanPointing& p, PointingFigure f, Language l = Language::English) {
        return pointing_text::figureText(p, f, l);
    };
    EXPECT_EQ(text(east, PointingFigure::Azimuth), "172.7");
    EXPECT_EQ(text(east, PointingFigure::MagneticAzimuth), "168.5");
    EXPECT_EQ(text(east, PointingFigure::Elevation), "29.7");
    EXPECT_EQ(text(east, PointingFigure::Skew), "-4.5");
    EXPECT_EQ(text(east, PointingFigure::AboveHorizon), "Yes");
    EXPECT_EQ(text(east, PointingFigure::AboveHorizon, Language::Chinese), "是");
    EXPECT_EQ(text(west, PointingFigure::MagneticAzimuth), "-");
    EXPECT_EQ(text(west, PointingFigure::Elevation), "-20.4");
    EXPECT_EQ(text(west, PointingFigure::AboveHorizon, Language::Chinese), "否");
    EXPECT_EQ(messageText(pointing_text::figureTitle(PointingFigure::Skew), Language::English), "LNB Skew");

    EXPECT_LT(comparePointings(west, east, PointingFigure::Elevation), 0);
    EXPECT_GT(comparePointings(west, east, PointingFigure::Azimuth), 0);
    // Not known, and below the horizon, come first.
    EXPECT_LT(comparePointings(west, east, PointingFigure::MagneticAzimuth), 0);
    EXPECT_GT(comparePointings(east, west, PointingFigure::AboveHorizon), 0);
    EXPECT_EQ(comparePointings(east, east, PointingFigure::Skew), 0);
}

TEST(DishPointing, VisibleArcEndsOnTheHorizon)
{
    const auto arc = pointing::visibleArc({52.5, 13.4}, 41);
    ASSERT_EQ(arc.size(), 41U);
    EXPECT_NEAR(arc.front().elevation, 0.0, 1e-9);
    EXPECT_NEAR(arc.back().elevation, 0.0, 1e-9);
    EXPECT_LT(arc.front().azimuth, 180.0); // east end first
    EXPECT_GT(arc.back().azimuth, 180.0);
    // Highest due south of the site.
    EXPECT_NEAR(arc[20].azimuth, 180.0, 1e-9);
    EXPECT_NEAR(arc[20].elevation, pointing::pointDish({52.5, 13.4}, 13.4).elevation, 1e-9);
    // Beyond 81.3 degrees of latitude the orbit never rises.
    EXPECT_TRUE(pointing::visibleArc({82.0, 0.0}, 41).empty());
    EXPECT_TRUE(pointing::visibleArc({-90.0, 0.0}, 41).empty());
}

TEST(DishPointing, DeclinationTellsWhyItIsNotKnown)
{
    const Site berlin{52.5, 13.4};
    EXPECT_EQ(pointing::declinationAt(berlin, 2024y / December / 31).gap, CompassGap::BeforeModel);
    EXPECT_EQ(pointing::declinationAt(berlin, 2030y / January / 1).gap, CompassGap::AfterModel);
    EXPECT_TRUE(pointing::declinationAt(berlin, 2025y / January / 1).known());
    EXPECT_TRUE(pointing::declinationAt(berlin, 2029y / December / 31).known());
    EXPECT_EQ(pointing::declinationAt({90.0, 0.0}, 2026y / June / 1).gap, CompassGap::GeographicPole);
    // The north magnetic pole lies near 85.8N 139.3E in 2025; a compass is of
    // no use there.
    EXPECT_EQ(pointing::declinationAt({86.0, 140.0}, 2025y / June / 1).gap, CompassGap::NearMagneticPole);

    const auto gap = pointing_text::gapNotice(CompassGap::AfterModel, 2030y / January / 1);
    ASSERT_TRUE(gap);
    EXPECT_EQ(noticeText(*gap, Language::English), "The World Magnetic Model 2025 holds from 2025-01-01 to "
                                                   "2029-12-31, not on 2030-01-01: no magnetic azimuth");
    EXPECT_FALSE(pointing_text::gapNotice(CompassGap::None, 2026y / January / 1));
}

TEST(SiteText, ReadsSignsAndHemisphereLettersAndRefusesTheRest)
{
    EXPECT_EQ(site_text::parseLatitude("52.5"), 52.5);
    EXPECT_EQ(site_text::parseLatitude(" 33.9S "), -33.9);
    EXPECT_EQ(site_text::parseLatitude("-33.9"), -33.9);
    EXPECT_EQ(site_text::parseLatitude("+90"), 90.0);
    EXPECT_EQ(site_text::parseLongitude("74.0w"), -74.0);
    EXPECT_EQ(site_text::parseLongitude("180E"), 180.0);
    for (const char* bad :
         {"", "N", "90.1", "-90.5", "52,5", "1e1", "inf", "nan", "-52.5N", "52.5E", "5 2", "1.2.3", "0x10", "."})
        EXPECT_FALSE(site_text::parseLatitude(bad)) << bad;
    EXPECT_FALSE(site_text::parseLongitude("180.01"));
    EXPECT_FALSE(site_text::parseLongitude("13.4N"));

    const auto site = site_text::parseSite("40.7N,74.0W");
    ASSERT_TRUE(site);
    EXPECT_EQ(*site, (Site{40.7, -74.0}));
    EXPECT_FALSE(site_text::parseSite("40.7"));
    EXPECT_FALSE(site_text::parseSite("40.7,74.0,1"));

    EXPECT_EQ(site_text::latitudeText(-33.9), "33.90S");
    EXPECT_EQ(site_text::longitudeText(13.4), "13.40E");
    EXPECT_EQ(site_text::longitudeText(-0.001), "0.00E");
    EXPECT_EQ(pointing_text::angleText(-0.04), "0.0");
    EXPECT_EQ(pointing_text::angleText(-4.47), "-4.5");
}

} // namespace
