#include "core/import/dvbv5_file.h"
#include "core/import/import_source.h"
#include "core/import/plan_import.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <fstream>

#include <sys/stat.h>

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
    EXPECT_FALSE(satellite.tps[0].codeRateGuessed);
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
    std::ofstream(dir.file("Far-360.0E")) << "[A]\n";
    std::ofstream(dir.file("Broken-1.0W")) << "no group\n";
    std::ofstream(dir.file("Round-190.0E")) << "[A]\n";
    EXPECT_EQ(readDvbv5File(dir.file("Nameless")).problem,
              (Notice{msg::kNoPositionInName, {dir.file("Nameless").string()}}));
    EXPECT_EQ(readDvbv5File(dir.file("Far-360.0E")).problem,
              (Notice{msg::kPositionRange, {dir.file("Far-360.0E").string(), "360.0E"}}));
    EXPECT_EQ(readDvbv5File(dir.file("Broken-1.0W")).problem,
              (Notice{msg::kScanNotLine, {dir.file("Broken-1.0W").string(), "1"}}));
    EXPECT_EQ(readDvbv5File(dir.file("Gone-1.0W")).problem,
              (Notice{msg::kOpenFileFailedBecause, {dir.file("Gone-1.0W").string(), std::strerror(ENOENT)}}));
    EXPECT_EQ(readDvbv5File(dir.file("Round-190.0E")).satellite->position, (OrbitalPosition{1700, false}));

    // A folder lists the files it can read and leaves the others out, naming
    // them: nodes that are no files and links to nowhere too; a FIFO is refused
    // at once instead of waiting for a writer. Folders within are no scan files.
    ASSERT_EQ(::mkfifo(dir.file("Fifo-13.0E").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", dir.file("Null-5.0E"));
    std::filesystem::create_symlink("Gone-1.0W", dir.file("Dangling-7.0E"));
    std::filesystem::create_directory(dir.file("Folder-9.0E"));
    const auto listing = readSource(dir.path());
    EXPECT_EQ(listing.satellites.size(), 1U);
    EXPECT_EQ(listing.leftOut.size(), 6U);
    EXPECT_TRUE(listing.problems.empty());
    const auto leftOut = [&](const std::string& name) {
        return std::find_if(listing.leftOut.begin(), listing.leftOut.end(),
                            [&](const Notice& notice) { return notice.args.front() == dir.file(name).string(); });
    };
    ASSERT_NE(leftOut("Fifo-13.0E"), listing.leftOut.end());
    EXPECT_EQ(leftOut("Fifo-13.0E")->message, msg::kNotRegularFile);
    ASSERT_NE(leftOut("Null-5.0E"), listing.leftOut.end());
    EXPECT_EQ(leftOut("Null-5.0E")->message, msg::kNotRegularFile);
    ASSERT_NE(leftOut("Dangling-7.0E"), listing.leftOut.end());
    EXPECT_EQ(leftOut("Dangling-7.0E")->message, msg::kOpenFileFailedBecause);
    // A single file that cannot be read is the source's problem.
    EXPECT_EQ(readSource(dir.file("Broken-1.0W")).problems.size(), 1U);
    std::filesystem::create_directory(dir.file("empty"));
    EXPECT_EQ(readSource(dir.file("empty")).problems,
              (std::vector<Notice>{{msg::kNoSatelliteFiles, {dir.file("empty").string()}}}));
    EXPECT_EQ(readSource(dir.file("none")).problems,
              (std::vector<Notice>{{msg::kOpenFileFailedBecause, {dir.file("none").string(), std::strerror(ENOENT)}}}));
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

// Each file would have made the scan-file library write past its buffers,
// run out of memory or list a satellite with nothing in it.
TEST(ScanFiles, HostileFilesAreRefusedWithTheLineAndWhy)
{
    TempDir dir;
    const auto refusal = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir.file(name), std::ios::binary) << text;
        const auto read = readDvbv5File(dir.file(name));
        EXPECT_FALSE(read.satellite) << name;
        return read.problem.value_or(Notice{});
    };
    const auto at = [&](const std::string& name, MessageId message, std::vector<std::string> args) {
        args.insert(args.begin(), dir.file(name).string());
        return Notice{message, std::move(args)};
    };
    EXPECT_EQ(refusal("Long-1.0E", "[A]\n\tDELIVERY_SYSTEM = " + std::string(60, 'X') + "\n"),
              at("Long-1.0E", msg::kScanValueTooLong, {"2", "DELIVERY_SYSTEM", "32"}));
    EXPECT_EQ(refusal("Pol-1.0E", "[A]\n\tFREQUENCY = 11000000\n\tpolarization = UP\n"),
              at("Pol-1.0E", msg::kScanBadValue, {"3", "POLARIZATION = UP"}));
    EXPECT_EQ(refusal("Digits-1.0E", "[A]\n\tFREQUENCY = 1234567890\n"),
              at("Digits-1.0E", msg::kScanBadValue, {"2", "FREQUENCY = 1234567890"}));
    constexpr char kNul[] = "[A]\n\tFREQUENCY = 1\0 2\n";
    EXPECT_EQ(refusal("Nul-1.0E", std::string(kNul, sizeof kNul - 1)), at("Nul-1.0E", msg::kScanControlChar, {"2"}));
    EXPECT_EQ(refusal("Wide-1.0E", "[A]\n# " + std::string(300, 'x') + "\n"),
              at("Wide-1.0E", msg::kScanLineTooLong, {"2", "256"}));
    EXPECT_EQ(refusal("Early-1.0E", "FREQUENCY = 1\n[A]\n"), at("Early-1.0E", msg::kScanBeforeGroup, {"1"}));
    EXPECT_EQ(refusal("Twice-1.0E", "[A]\n\tFREQUENCY = 1\n\tFREQUENCY = 2\n"),
              at("Twice-1.0E", msg::kScanRepeatedKey, {"3", "FREQUENCY"}));
    std::string groups;
    for (int i = 0; i <= kMaxScanGroups; ++i)
        groups += "[A]\n";
    EXPECT_EQ(refusal("Many-1.0E", groups), at("Many-1.0E", msg::kScanTooManyGroups, {"1001", "1000"}));

    // A sparse file of a gigabyte is refused by its size, without reading it all.
    std::ofstream(dir.file("Sparse-1.0E")).close();
    std::filesystem::resize_file(dir.file("Sparse-1.0E"), std::uintmax_t{1} << 30);
    EXPECT_EQ(readDvbv5File(dir.file("Sparse-1.0E")).problem,
              at("Sparse-1.0E", msg::kFileTooLarge, {std::to_string(kMaxScanFileBytes)}));
    EXPECT_EQ(noticeText(at("Long-1.0E", msg::kScanValueTooLong, {"2", "DELIVERY_SYSTEM", "32"}), Language::English),
              "The file " + dir.file("Long-1.0E").string() +
                  ", line 2: the value of DELIVERY_SYSTEM is longer than 32 characters");
}

// The library is given one plain form: keys in upper case, values as it
// spells them, the keys the import does not read left out; then it reads the
// values the file gave, whatever their case and line ends.
TEST(ScanFiles, CheckedTextIsThePlainFormOfTheFile)
{
    const std::string file = "# comment\r\n[11914 V]\r\n  delivery_system=dvbs2\r\n\tINVERSION = AUTO\r\n"
                             "\tFrequency = 11914500\r\n\tpolarization = vertical\r\n\tSYMBOL_RATE = 27500000\r\n"
                             "\tINNER_FEC = 9/10\r\n\tMODULATION = psk/8\r\n\tROLLOFF = 20\r\n\tPILOT = on\r\n\n[]\n";
    const ScanText checked = checkScanText(file, "f");
    ASSERT_FALSE(checked.problem);
    EXPECT_EQ(checked.text, "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS2\n\tFREQUENCY = 11914500\n"
                            "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n\tINNER_FEC = 9/10\n"
                            "\tMODULATION = PSK/8\n\tROLLOFF = 20\n\tPILOT = ON\n[CHANNEL]\n");
    EXPECT_EQ(checkScanText(checked.text, "f").text, checked.text);

    TempDir dir;
    std::ofstream(dir.file("Mixed-19.2E"), std::ios::binary) << file;
    const auto read = readDvbv5File(dir.file("Mixed-19.2E"));
    ASSERT_TRUE(read.satellite);
    ASSERT_EQ(read.satellite->tps.size(), 2U);
    const Dvbv5Tp& tp = read.satellite->tps[0];
    EXPECT_EQ(tp.deliverySystem, "DVBS2");
    EXPECT_EQ(tp.frequency, 11914500U);
    EXPECT_EQ(tp.polarization, "VERTICAL");
    EXPECT_EQ(tp.modulation, "PSK/8");
    EXPECT_EQ(tp.pilot, "ON");
}

// Every DVB-S table of the distribution passes the checks whole.
TEST(ScanFiles, TheDistributionsTablesAllPass)
{
    std::size_t files = 0;
    std::size_t groups = 0;
    for (const auto& entry : std::filesystem::directory_iterator(defaultScanFolder())) {
        ++files;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);)
            groups += line.starts_with('[') ? 1 : 0;
    }
    const SourceListing listing = readSource(defaultScanFolder());
    EXPECT_TRUE(listing.problems.empty());
    EXPECT_TRUE(listing.leftOut.empty()) << noticeText(listing.leftOut.front(), Language::English);
    ASSERT_EQ(listing.satellites.size(), files);
    std::size_t tps = 0;
    for (const Satellite& satellite : listing.satellites)
        tps += satellite.tps.size();
    EXPECT_EQ(tps, groups);
}
