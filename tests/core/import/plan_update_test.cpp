#include "core/import/plan_update.h"
#include "core/import/source_tp.h"
#include "core/import/table_source.h"
#include "core/model/value_tables.h"
#include "core/res/string_ids.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

SourceTp sourceTp(std::uint64_t kHz, Polarization polarization, std::uint64_t symbolRate,
                  SignalType type = SignalType::DVB_S, bool guessRate = false)
{
    TpValues values;
    values.frequencyKhz = kHz;
    values.symbolRate = symbolRate;
    values.type = type;
    values.modulation = type == SignalType::DVB_S2 ? Modulation::PSK8 : Modulation::QPSK;
    values.codeRate = *codeRateIndex(type, values.modulation, guessRate ? std::nullopt : std::optional("3/4"));
    values.codeRateGuessed = guessRate;
    values.polarization = polarization;
    return sourceTpOf(values, polarization == Polarization::HorizLeft ? "H" : "V");
}

// A plan made a year ago from 19.2E: 11000 H has gone since, 11494 H
// changed its symbol rate, 11538 V is as it was (its rate now left to the
// receiver), 12000 V and a DVB-S2 TP are new.
struct YearOld {
    CComonOrbitune plan = makePlan("Astra1L", 0);
    std::vector<Satellite> source;

    YearOld()
    {
        plan.longitude = 19.2F;
        plan.isEast = 1;
        for (const SourceTp& tp : {sourceTp(11000000, Polarization::HorizLeft, 27500000),
                                   sourceTp(11494000, Polarization::HorizLeft, 27500000),
                                   sourceTp(11538000, Polarization::VertRight, 22000000)}) {
            SateChannel record = *tp.channel;
            record.setNameText(tp.name);
            record.id = Guid::generate();
            record.number = static_cast<std::uint8_t>(plan.channelCount + 1);
            plan.appendChannel(record);
        }
        source.push_back({"Astra 1KR", {192, true}, "src", {sourceTp(10744000, Polarization::HorizLeft, 22000000)}});
        source.push_back({"Astra 1L",
                          {192, true},
                          "src",
                          {sourceTp(11494250, Polarization::HorizLeft, 22000000),
                           sourceTp(11538000, Polarization::VertRight, 22000000, SignalType::DVB_S, true),
                           sourceTp(12000000, Polarization::VertRight, 27500000),
                           sourceTp(12100000, Polarization::VertRight, 27500000, SignalType::DVB_S2)}});
    }
};

} // namespace

TEST(PlanUpdate, ShowsAndTakesTheDifferencesOfAYearOldPlan)
{
    const YearOld old;
    const PlanUpdate update = planUpdate(old.plan, old.source);
    ASSERT_FALSE(update.problem);
    EXPECT_EQ(update.satellite, "Astra 1L 19.2E");
    EXPECT_EQ(changeLines(update),
              (std::vector<std::string>{"- 11000 H 27500", "~ 11494.25 H 22000: SR(MS/s) 27.500 > 22.000",
                                        "+ 12000 V 27500", "+ 12100 V 27500"}));
    ASSERT_EQ(update.changes[1].planTp, old.plan.channels[1].id);

    const UpdatedPlan all =
        applyUpdate(old.plan, update, {true, true, true, true}, MeterModel::General, Language::English);
    ASSERT_FALSE(all.refused);
    ASSERT_EQ(all.plan.channelCount, 4);
    EXPECT_EQ(all.plan.channels[0].id, old.plan.channels[1].id);
    EXPECT_EQ(all.plan.channels[0].symbolRate, 22000);
    EXPECT_EQ(all.plan.channels[0].frequency, 1149400U);
    EXPECT_EQ(all.plan.channels[0].number, 1);
    EXPECT_EQ(all.plan.channels[1].id, old.plan.channels[2].id);
    EXPECT_EQ(all.plan.channels[1].codeRate, old.plan.channels[2].codeRate);
    EXPECT_EQ(all.plan.channels[2].frequency, 1200000U);
    EXPECT_EQ(all.plan.channels[3].number, 4);

    // Only the ticked ones; a Q24 plan takes no DVB-S2 TP and says so.
    const UpdatedPlan some =
        applyUpdate(old.plan, update, {false, true, false, true}, MeterModel::Q24, Language::English);
    ASSERT_FALSE(some.refused);
    EXPECT_EQ(some.plan.channelCount, 3);
    EXPECT_EQ(some.plan.channels[0], old.plan.channels[0]);
    EXPECT_EQ(some.notTaken, (std::vector<Notice>{
                                 {msg::kTpNotTaken, {"12100 V 27500", "Astra1L", "Q24 can not have s2 type of TP"}}}));
}

// A plan is matched within 0.1 degree, by name among satellites sharing the
// position; otherwise it says why it is not.
TEST(PlanUpdate, MatchesByPositionThenName)
{
    YearOld old;
    old.plan.longitude = 19.3F;
    EXPECT_EQ(planUpdate(old.plan, old.source).satellite, "Astra 1L 19.2E");
    old.plan.setNameText("Mine");
    EXPECT_EQ(planUpdate(old.plan, old.source).problem,
              (Notice{msg::kUpdateSeveralSatellites, {"19.3E", "Astra 1KR, Astra 1L"}}));
    old.plan.longitude = 19.4F;
    EXPECT_EQ(planUpdate(old.plan, old.source).problem, (Notice{msg::kUpdateNoSatellite, {"19.4E"}}));
    old.plan.isEast = 0;
    old.plan.longitude = 19.2F;
    EXPECT_TRUE(planUpdate(old.plan, old.source).problem);
}

// A table file as an import's source: rows grouped by plan name and
// position, or named and placed by the file's name.
TEST(TableSource, GroupsRowsBySatellite)
{
    TempDir dir;
    const auto both = dir.file("plans.CSV");
    const std::string_view table = "Plan Name;EastOrWest;Longitude;Freq(MHz);Pol;SR\n"
                                   "Astra1L;East;19,2;11494,25;H;22000\n"
                                   "Hotbd13B;East;13.0;10719;V;27500\n"
                                   "Astra1L;East;19.2;11538;V;22000\n";
    writeBytes(both, {table.begin(), table.end()});
    ASSERT_TRUE(isTableFile(both));
    const SourceListing listing = readTableSource(both, Language::English);
    ASSERT_TRUE(listing.problems.empty());
    ASSERT_EQ(listing.satellites.size(), 2U);
    EXPECT_EQ(listing.satellites[0].name, "Astra1L");
    EXPECT_EQ(listing.satellites[0].position, (OrbitalPosition{192, true}));
    ASSERT_EQ(listing.satellites[0].tps.size(), 2U);
    EXPECT_EQ(listing.satellites[0].tps[0].channel->frequency, 1149425U);
    EXPECT_EQ(listing.satellites[1].position, (OrbitalPosition{130, true}));

    const std::string_view bare = "Freq\tPol\n10719\tV\n";
    const auto named = dir.file("Hispasat-30.0W.tsv");
    writeBytes(named, {bare.begin(), bare.end()});
    const SourceListing byName = readTableSource(named, Language::English);
    ASSERT_EQ(byName.satellites.size(), 1U);
    EXPECT_EQ(byName.satellites[0].name, "Hispasat");
    EXPECT_EQ(byName.satellites[0].position, (OrbitalPosition{300, false}));
    const auto unplaced = dir.file("Hispasat.tsv");
    writeBytes(unplaced, {bare.begin(), bare.end()});
    EXPECT_EQ(readTableSource(unplaced, Language::English).problems,
              (std::vector<Notice>{{msg::kTableNoPosition, {unplaced.string(), "2"}}}));
}
