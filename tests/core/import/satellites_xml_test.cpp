#include "core/import/import_source.h"
#include "core/import/plan_import.h"
#include "core/import/satellites_xml.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace {

// DVB-S, DVB-S2, circular and APSK transponders of one satellite, and one
// West of Greenwich.
constexpr std::string_view kDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<satellites>
  <sat name="Astra 19.2E" flags="0" position="192">
    <transponder frequency="11837000" symbol_rate="29700000" polarization="0" fec_inner="4" system="0" modulation="1"/>
    <transponder frequency="11914500" symbol_rate="27500000" polarization="1" fec_inner="3" system="1" modulation="2" rolloff="2" pilot="1"/>
    <transponder frequency="3840000" symbol_rate="30000000" polarization="2" fec_inner="0" system="1" modulation="0" rolloff="1"/>
    <transponder frequency="3880000" symbol_rate="1000000" polarization="3" fec_inner="0" system="0"/>
    <transponder frequency="11500000" symbol_rate="30000000" polarization="0" fec_inner="8" system="1" modulation="4"/>
    <transponder frequency="11500000" symbol_rate="30000000" polarization="0" fec_inner="1" system="1" modulation="2"/>
  </sat>
  <sat name="Hispasat 30.0W" flags="0" position="-300">
    <transponder frequency="10730000" symbol_rate="27500000" polarization="1" fec_inner="5" system="0"/>
  </sat>
</satellites>)";

} // namespace

// Rows worked out by hand: 29.7 MS/s with roll-off 0.35 span 40.09 MHz, 27.5
// with 0.20 33.00 MHz, 30 with 0.25 37.50 MHz, 1 MS/s the least, 1.40 MHz.
TEST(SatellitesXml, TranspondersBecomeTpsAndApskIsLeftOut)
{
    const auto read = parseSatellitesXml(kDocument, "satellites.xml");
    EXPECT_TRUE(read.leftOut.empty());
    EXPECT_FALSE(read.problem);
    ASSERT_EQ(read.satellites.size(), 2U);
    EXPECT_EQ(read.satellites[1].position, (OrbitalPosition{300, false}));
    const Satellite astra = satelliteOf(read.satellites[0]);
    EXPECT_EQ(astra.name, "Astra 19.2E");
    ASSERT_EQ(astra.tps.size(), 6U);

    const auto& dvbS = *astra.tps[0].channel;
    EXPECT_EQ(dvbS.frequency, 1183700U);
    EXPECT_EQ(dvbS.bandwidth, 4009U);
    EXPECT_EQ(dvbS.codeRate, 3);
    EXPECT_EQ(dvbS.polarization, stored(Polarization::HorizLeft));
    const auto& dvbS2 = *astra.tps[1].channel;
    EXPECT_EQ(astra.tps[1].label, "11914.5 V 27500");
    EXPECT_EQ(dvbS2.frequency, 1191450U);
    EXPECT_EQ(dvbS2.signalType, stored(SignalType::DVB_S2));
    EXPECT_EQ(dvbS2.codeRate, 15);
    EXPECT_EQ(dvbS2.modulation, stored(Modulation::PSK8));
    EXPECT_EQ(dvbS2.rollOff, stored(RollOff::R020));
    EXPECT_EQ(dvbS2.pilots, stored(Pilots::On));
    EXPECT_EQ(dvbS2.bandwidth, 3300U);
    const auto& left = *astra.tps[2].channel;
    EXPECT_EQ(astra.tps[2].name, "3840L");
    EXPECT_EQ(left.codeRate, kDvbS2DefaultCodeRate);
    EXPECT_EQ(left.rollOff, stored(RollOff::R025));
    EXPECT_EQ(left.bandwidth, 3750U);
    const auto& right = *astra.tps[3].channel;
    EXPECT_EQ(right.polarization, stored(Polarization::VertRight));
    EXPECT_EQ(right.codeRate, kDvbSDefaultCodeRate);
    EXPECT_EQ(right.bandwidth, 140U);
    // fec_inner 0 leaves the rate to the receiver: the record's is a guess.
    EXPECT_FALSE(astra.tps[1].codeRateGuessed);
    EXPECT_TRUE(astra.tps[2].codeRateGuessed);
    EXPECT_TRUE(astra.tps[3].codeRateGuessed);
    EXPECT_EQ(astra.tps[4].leftOut, (Notice{msg::kValueNotStored, {"modulation=\"4\""}}));
    EXPECT_EQ(astra.tps[5].leftOut, (Notice{msg::kValueNotStoredWith, {"fec_inner=\"1\"", "modulation=\"2\""}}));

    // As many Ku band TPs as C band ones make a Ku plan; the C band TPs are
    // left out after those the records cannot hold, in frequency order.
    const Satellite satellites[] = {astra, satelliteOf(read.satellites[1])};
    const auto result = importSatellites(satellites, PlanList{}, MeterModel::General, 0);
    ASSERT_EQ(result.plans.size(), 2U);
    const auto& plan = result.plans[0];
    EXPECT_EQ(plan.plan.nameText(), "Astra");
    EXPECT_FLOAT_EQ(plan.plan.longitude, 19.2F);
    EXPECT_EQ(plan.plan.channelCount, 2);
    ASSERT_EQ(plan.leftOut.size(), 4U);
    EXPECT_EQ(plan.leftOut[0].tp, "11500 H 30000");
    EXPECT_EQ(plan.leftOut[2].tp, "3840 L 30000");
    EXPECT_EQ(plan.leftOut[2].why, (Notice{msg::kOtherBandTp, {"C", "Ku"}}));
    EXPECT_EQ(noticeText(plan.leftOut[0].why, Language::English), "modulation=\"4\" can not be stored");
    EXPECT_EQ(result.plans[1].plan.nameText(), "Hispasat");
    EXPECT_EQ(result.plans[1].plan.isEast, 0);
    EXPECT_FLOAT_EQ(result.plans[1].plan.longitude, 30.0F);
}

TEST(SatellitesXml, BadDocumentsAndSatellitesAreNamed)
{
    EXPECT_EQ(parseSatellitesXml("<satellites><sat", "a.xml").problem->message, msg::kNotSatellitesXml);
    EXPECT_EQ(parseSatellitesXml("<channels/>", "a.xml").problem,
              (Notice{msg::kNotSatellitesXml, {"a.xml", "no <satellites> element"}}));
    const auto read = parseSatellitesXml(R"(<satellites>
        <sat name="Far" position="3600"/>
        <sat name="Bad" position="100"><transponder frequency="12x" symbol_rate="1" polarization="0"/></sat>
        <sat name="Short" position="100"><transponder frequency="12000000" polarization="0"/></sat>
        <sat name="Good" position="0"/></satellites>)",
                                         "a.xml");
    ASSERT_EQ(read.satellites.size(), 1U);
    EXPECT_EQ(read.satellites[0].name, "Good");
    EXPECT_FALSE(read.problem);
    ASSERT_EQ(read.leftOut.size(), 3U);
    EXPECT_EQ(read.leftOut[0], (Notice{msg::kPositionRange, {"a.xml", "3600"}}));
    EXPECT_EQ(read.leftOut[1],
              (Notice{msg::kBadFileContent, {"a.xml", "sat \"Bad\", transponder 1: frequency \"12x\""}}));
    EXPECT_EQ(read.leftOut[2],
              (Notice{msg::kBadFileContent, {"a.xml", "sat \"Short\", transponder 1: symbol_rate \"\""}}));
}

// As receiver images ship the file: two satellites a tenth apart at one slot,
// 1801 for the satellite at 179.9W, and one that cannot be read in between;
// every other satellite is read, from a file, and the whole file is listed.
TEST(SatellitesXml, ReceiverFilesAreReadWhole)
{
    TempDir dir;
    std::ofstream(dir.file("satellites.xml")) << R"xml(<satellites>
  <sat name="Astra 1KR/1L/1M/1N (19.2E)" position="192"><transponder frequency="11229000" symbol_rate="22000000" polarization="1"/></sat>
  <sat name="Astra 1 (19.1E)" position="191"/>
  <sat name="Intelsat 18 (180.0E)" position="1801"><transponder frequency="3840000" symbol_rate="27500000" polarization="0"/></sat>
  <sat name="Broken" position="east"/>
  <sat name="Eutelsat 117 West A" position="-1801"/>
  <sat name="Hispasat (30.0W)" position="-300"/>
</satellites>)xml";
    const SourceListing listing = readSource(dir.file("satellites.xml"));
    EXPECT_TRUE(listing.problems.empty());
    ASSERT_EQ(listing.satellites.size(), 5U);
    EXPECT_EQ(listing.satellites[1].position, (OrbitalPosition{191, true}));
    EXPECT_EQ(listing.satellites[2].position, (OrbitalPosition{1799, false}));
    EXPECT_EQ(listing.satellites[2].storableCount(), 1);
    EXPECT_EQ(listing.satellites[3].position, (OrbitalPosition{1799, true}));
    EXPECT_EQ(listing.satellites[4].name, "Hispasat (30.0W)");
    EXPECT_EQ(listing.leftOut,
              (std::vector<Notice>{
                  {msg::kBadFileContent, {dir.file("satellites.xml").string(), "sat \"Broken\": position \"east\""}}}));
}

// A document past the limit is called too large, not malformed; a FIFO is
// refused at once, and a file that cannot be opened says why.
TEST(SatellitesXml, TooLargeOrNoFileIsSaid)
{
    TempDir dir;
    std::ofstream(dir.file("big.xml")) << "<satellites>";
    std::filesystem::resize_file(dir.file("big.xml"), kMaxSatellitesXmlBytes + 1);
    EXPECT_EQ(readSatellitesXml(dir.file("big.xml")).problem,
              (Notice{msg::kFileTooLarge, {dir.file("big.xml").string(), "67108864"}}));
    std::filesystem::resize_file(dir.file("big.xml"), kMaxSatellitesXmlBytes);
    EXPECT_EQ(readSatellitesXml(dir.file("big.xml")).problem->message, msg::kNotSatellitesXml);
    ASSERT_EQ(::mkfifo(dir.file("fifo.xml").c_str(), 0600), 0);
    EXPECT_EQ(readSatellitesXml(dir.file("fifo.xml")).problem,
              (Notice{msg::kNotRegularFile, {dir.file("fifo.xml").string()}}));
    EXPECT_EQ(readSatellitesXml(dir.file("none.xml")).problem,
              (Notice{msg::kOpenFileFailedBecause, {dir.file("none.xml").string(), std::strerror(ENOENT)}}));
}
