#include "core/import/dvbv5_file.h"
#include "core/import/import_source.h"
#include "core/import/plan_import.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

const SateChannel& tpNamed(const CComonOrbitune& plan, const std::string& name)
{
    const auto used = plan.usedChannels();
    const auto it = std::find_if(used.begin(), used.end(), [&](const SateChannel& c) { return c.nameText() == name; });
    EXPECT_NE(it, used.end()) << name;
    return *it;
}

void expectTp(const SateChannel& tp, std::uint32_t frequency, std::int32_t symbolRate, std::uint32_t bandwidth,
              SignalType type, std::int32_t codeRate, Modulation modulation, RollOff rollOff, Pilots pilots,
              Polarization polarization)
{
    EXPECT_EQ(tp.frequency, frequency);
    EXPECT_EQ(tp.symbolRate, symbolRate);
    EXPECT_EQ(tp.bandwidth, bandwidth);
    EXPECT_EQ(tp.signalType, stored(type));
    EXPECT_EQ(tp.codeRate, codeRate);
    EXPECT_EQ(tp.modulation, stored(modulation));
    EXPECT_EQ(tp.rollOff, stored(rollOff));
    EXPECT_EQ(tp.pilots, stored(pilots));
    EXPECT_EQ(tp.polarization, stored(polarization));
    EXPECT_EQ(tp.lnbLo, stored(LnbLo::Auto));
    EXPECT_EQ(tp.enabled, stored(Enable::Enable));
}

} // namespace

TEST(ScanFiles, FileNamesGiveSatelliteAndPosition)
{
    const auto hotbird = scanFileNameOf("Hotbird-13.0E");
    ASSERT_TRUE(hotbird);
    EXPECT_EQ(hotbird->satellite, "Hotbird");
    EXPECT_EQ(hotbird->position, (OrbitalPosition{130, true}));
    EXPECT_EQ(scanFileNameOf("NSS-806-40.5W")->satellite, "NSS-806");
    EXPECT_EQ(scanFileNameOf("NSS-806-40.5W")->position, (OrbitalPosition{405, false}));
    EXPECT_EQ(scanFileNameOf("Eutelsat5_5.0W")->satellite, "Eutelsat5");
    EXPECT_FALSE(scanFileNameOf("Hotbird"));
    EXPECT_FALSE(scanFileNameOf("Hotbird-13.0X"));
    EXPECT_FALSE(scanFileNameOf("-13.0E"));
}

// Each entry of a small file, worked out by hand: 12 MHz symbol rates with
// roll-off 0.20 span 14.40 MHz, with 0.35 16.20 MHz.
TEST(ScanFiles, EntriesBecomeTpsOrAreLeftOutWithTheirText)
{
    TempDir dir;
    std::ofstream(dir.file("Test-19.2E"))
        << "[A]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 11720500\n"
           "\tPOLARIZATION = HORIZONTAL\n\tSYMBOL_RATE = 12000000\n\tINNER_FEC = 7/8\n"
           "[B]\n\tDELIVERY_SYSTEM = DVBS2\n\tFREQUENCY = 3840000\n"
           "\tPOLARIZATION = LEFT\n\tSYMBOL_RATE = 12000000\n\tINNER_FEC = 9/10\n"
           "\tMODULATION = PSK/8\n\tROLLOFF = 20\n\tPILOT = ON\n"
           "[C]\n\tDELIVERY_SYSTEM = DVBS2\n\tFREQUENCY = 12000000\n"
           "\tPOLARIZATION = RIGHT\n\tSYMBOL_RATE = 30000000\n\tINNER_FEC = AUTO\n"
           "\tMODULATION = APSK/16\n"
           "[D]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 12100000\n"
           "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n\tINNER_FEC = 8/9\n"
           "[E]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 18507000\n"
           "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n";
    const auto read = readDvbv5File(dir.file("Test-19.2E"));
    ASSERT_TRUE(read.satellite);
    const Satellite satellite = satelliteOf(*read.satellite);
    EXPECT_EQ(satellite.name, "Test");
    EXPECT_EQ(positionText(satellite.position), "19.2E");
    ASSERT_EQ(satellite.tps.size(), 5U);
    EXPECT_EQ(satellite.storableCount(), 2);

    EXPECT_EQ(satellite.tps[0].label, "11720.5 H 12000");
    EXPECT_EQ(satellite.tps[0].name, "11720H");
    expectTp(*satellite.tps[0].channel, 1172050, 12000, 1620, SignalType::DVB_S, 4, Modulation::QPSK, RollOff::R035,
             Pilots::Off, Polarization::HorizLeft);
    EXPECT_EQ(satellite.tps[1].name, "3840L");
    expectTp(*satellite.tps[1].channel, 384000, 12000, 1440, SignalType::DVB_S2, 18, Modulation::PSK8, RollOff::R020,
             Pilots::On, Polarization::HorizLeft);
    EXPECT_EQ(satellite.tps[2].leftOut, (Notice{msg::kValueNotStored, {"MODULATION = APSK/16"}}));
    EXPECT_EQ(satellite.tps[2].label, "12000 R 30000");
    EXPECT_EQ(satellite.tps[3].leftOut,
              (Notice{msg::kValueNotStoredWith, {"INNER_FEC = 8/9", "DELIVERY_SYSTEM = DVBS"}}));
    EXPECT_EQ(satellite.tps[4].leftOut, (Notice{msg::kFrequencyOutside, {"18507"}}));
    EXPECT_EQ(noticeText(*satellite.tps[4].leftOut, Language::English),
              "the frequency 18507 MHz is not between 3400MHz and 12750MHz");
}

TEST(ScanFiles, BadFilesAreNamedWithWhatIsWrong)
{
    TempDir dir;
    std::ofstream(dir.file("Nameless")) << "[A]\n";
    std::ofstream(dir.file("Far-190.0E")) << "[A]\n";
    std::ofstream(dir.file("Broken-1.0W")) << "no group\n";
    EXPECT_EQ(readDvbv5File(dir.file("Nameless")).problem,
              (Notice{msg::kNoPositionInName, {dir.file("Nameless").string()}}));
    EXPECT_EQ(readDvbv5File(dir.file("Far-190.0E")).problem,
              (Notice{msg::kPositionRange, {dir.file("Far-190.0E").string(), "190.0E"}}));
    EXPECT_EQ(readDvbv5File(dir.file("Broken-1.0W")).problem,
              (Notice{msg::kNotScanFile, {dir.file("Broken-1.0W").string()}}));
    EXPECT_EQ(readDvbv5File(dir.file("Gone-1.0W")).problem,
              (Notice{msg::kOpenFileFailed, {dir.file("Gone-1.0W").string()}}));

    // A folder lists the files it can read and names the others.
    const auto listing = readSource(dir.path());
    EXPECT_EQ(listing.satellites.size(), 0U);
    EXPECT_EQ(listing.problems.size(), 3U);
    std::filesystem::create_directory(dir.file("empty"));
    EXPECT_EQ(readSource(dir.file("empty")).problems,
              (std::vector<Notice>{{msg::kNoSatelliteFiles, {dir.file("empty").string()}}}));
    EXPECT_EQ(readSource(dir.file("none")).problems,
              (std::vector<Notice>{{msg::kOpenFileFailed, {dir.file("none").string()}}}));
}

// The distribution's Hotbird file: 95 entries, of which two repeat a TP in a
// second stream. Rows worked out from the file: 27.5 MS/s spans 37.12 MHz
// with roll-off 0.35, 29.9 MS/s 40.36 MHz, 22 MS/s 29.70 MHz.
TEST(ScanFiles, HotbirdOfTheDistributionImportsAsOnePlan)
{
    const auto read = readDvbv5File(defaultScanFolder() / "Hotbird-13.0E");
    ASSERT_TRUE(read.satellite);
    EXPECT_EQ(read.satellite->tps.size(), 95U);
    const Satellite satellites[] = {satelliteOf(*read.satellite)};
    const auto result = importSatellites(satellites, PlanList{}, MeterModel::General, 4);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.nextPlanNumber, 5);
    ASSERT_EQ(result.plans.size(), 1U);
    const CComonOrbitune& plan = result.plans[0].plan;
    EXPECT_EQ(plan.nameText(), "Hotbird");
    EXPECT_EQ(plan.number, 5);
    EXPECT_EQ(plan.tag, 100);
    EXPECT_EQ(plan.flag, 1);
    EXPECT_FLOAT_EQ(plan.longitude, 13.0F);
    EXPECT_EQ(plan.isEast, 1);
    EXPECT_EQ(plan.lnbLow, 975000);
    EXPECT_EQ(plan.lnbHigh, 1060000);
    ASSERT_EQ(plan.channelCount, 93);
    EXPECT_EQ(plan.channelsAdded, 93);

    const auto& first = plan.channels[0];
    EXPECT_EQ(first.nameText(), "10719V");
    EXPECT_EQ(first.number, 1);
    expectTp(first, 1071900, 27500, 3712, SignalType::DVB_S, 2, Modulation::QPSK, RollOff::R035, Pilots::Off,
             Polarization::VertRight);
    expectTp(plan.channels[1], 1072300, 29900, 4036, SignalType::DVB_S, 2, Modulation::QPSK, RollOff::R035, Pilots::Off,
             Polarization::HorizLeft);
    expectTp(tpNamed(plan, "10992V"), 1099200, 27500, 3712, SignalType::DVB_S, 1, Modulation::QPSK, RollOff::R035,
             Pilots::Off, Polarization::VertRight);
    expectTp(tpNamed(plan, "11541V"), 1154100, 22000, 2970, SignalType::DVB_S, 3, Modulation::QPSK, RollOff::R035,
             Pilots::Off, Polarization::VertRight);
    expectTp(tpNamed(plan, "11919V"), 1191900, 27500, 3712, SignalType::DVB_S2, 14, Modulation::PSK8, RollOff::R035,
             Pilots::Off, Polarization::VertRight);
    expectTp(plan.channels[92], 1273100, 27500, 3712, SignalType::DVB_S, 2, Modulation::QPSK, RollOff::R035,
             Pilots::Off, Polarization::HorizLeft);
    EXPECT_EQ(plan.channels[92].nameText(), "12731H");
    EXPECT_NE(plan.channels[0].id, plan.channels[1].id);

    const std::vector<LeftOutTp> leftOut{{"11919 V 27500", {msg::kSameTpInPlan, {}}},
                                         {"12539 H 27500", {msg::kSameTpInPlan, {}}}};
    ASSERT_EQ(result.plans[0].leftOut.size(), 2U);
    for (std::size_t i = 0; i < leftOut.size(); ++i) {
        EXPECT_EQ(result.plans[0].leftOut[i].tp, leftOut[i].tp);
        EXPECT_EQ(result.plans[0].leftOut[i].why, leftOut[i].why);
    }
}
