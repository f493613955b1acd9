#include "cli_run.h"
#include "core/files/general_file.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace {

// Astra at 19.2E with three TPs, Galaxy at 97.0W with one.
void writePlans(const TempDir& dir)
{
    auto astra = makePlan("Astra", 3);
    astra.longitude = 19.2F;
    astra.isEast = 1;
    auto galaxy = makePlan("Galaxy", 1, 2);
    galaxy.longitude = 97.0F;
    galaxy.isEast = 0;
    const std::vector<const CComonOrbitune*> plans{&astra, &galaxy};
    ASSERT_TRUE(writeGeneralFile(dir.file("a.gnr"), plans).ok());
}

TEST(CliPicture, DrawWritesTheNamedPlanAsSvg)
{
    TempDir dir;
    writePlans(dir);
    auto run = cli(dir, "draw a.gnr --plan Astra -o band.svg --width 800");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string svg = slurp(dir.file("band.svg"));
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\""), std::string::npos);
    EXPECT_NE(svg.find("<title>Astra  19.2E"), std::string::npos);
    EXPECT_NE(svg.find("data-slot=\"2\""), std::string::npos);
    EXPECT_EQ(svg.find("data-slot=\"3\""), std::string::npos);

    // Standard output without -o; an existing file is kept without --overwrite.
    run = cli(dir, "draw a.gnr --plan Galaxy");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("<title>Galaxy  97.0W"), std::string::npos);
    run = cli(dir, "draw a.gnr --plan Galaxy -o band.svg");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(slurp(dir.file("band.svg")), svg);
    EXPECT_EQ(cli(dir, "draw a.gnr --plan Galaxy -o band.svg --overwrite").status, 0);
    EXPECT_NE(slurp(dir.file("band.svg")).find("<title>Galaxy"), std::string::npos);
}

TEST(CliPicture, DrawNamesAMissingOrUnnamedPlan)
{
    TempDir dir;
    writePlans(dir);
    auto run = cli(dir, "draw a.gnr --plan Hotbird -o band.svg");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "a.gnr has no plan named Hotbird\n");
    run = cli(dir, "draw a.gnr -o band.svg");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "a.gnr holds 2 plans: name the one to draw with --plan NAME\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("band.svg")));
}

TEST(CliPicture, PointPrintsEachPlanWithItsCompassBearing)
{
    TempDir dir;
    writePlans(dir);
    auto run = cli(dir, "point --site 52.5N,13.4E --date 2026-03-01 a.gnr");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Site: 52.50N 13.40E\nDeclination "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" 1    Astra      19.2E     172.7"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" 2    Galaxy     97.0W     286.4"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("-20.4       36.0       below the horizon\n"), std::string::npos) << run.out;

    run = cli(dir, "point --json --site 52.5,13.4 --date 2026-03-01 a.gnr");
    EXPECT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json["plans"].size(), 2U);
    EXPECT_EQ(json["plans"][0]["name"], "Astra");
    EXPECT_DOUBLE_EQ(json["plans"][0]["azimuth"].get<double>(), 172.7);
    EXPECT_DOUBLE_EQ(json["plans"][0]["elevation"].get<double>(), 29.73);
    EXPECT_DOUBLE_EQ(json["plans"][1]["longitude"].get<double>(), -97.0);
    EXPECT_FALSE(json["plans"][1]["aboveHorizon"].get<bool>());
    // The compass bearing is the true one less the declination east.
    const double declination = json["declination"].get<double>();
    EXPECT_GT(declination, 3.0);
    EXPECT_NEAR(json["plans"][0]["magneticAzimuth"].get<double>(), 172.7 - declination, 0.011);
}

TEST(CliPicture, PointSaysWhereTheMagneticModelEndsAndNamesBadSites)
{
    TempDir dir;
    writePlans(dir);
    auto run = cli(dir, "point --json --site 52.5,13.4 --date 2030-01-01 a.gnr");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "The World Magnetic Model 2025 holds from 2025-01-01 to 2029-12-31, not on 2030-01-01: no "
                       "magnetic azimuth\n");
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_TRUE(json["declination"].is_null());
    EXPECT_TRUE(json["plans"][0]["magneticAzimuth"].is_null());

    run = cli(dir, "point --site 95N,13.4 a.gnr");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "95N is not a latitude: degrees from 90S to 90N, such as 52.5N or -33.9\n");
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(cli(dir, "point --site 52.5 a.gnr").status, 2);
    run = cli(dir, "point --site 52.5,13.4 --date 2026-02-30 a.gnr");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "--date 2026-02-30: give a day such as 2026-03-01\n");
}

} // namespace
