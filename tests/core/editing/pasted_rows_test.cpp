#include "core/editing/copied_rows.h"
#include "core/editing/pasted_rows.h"
#include "core/model/value_tables.h"
#include "core/res/string_ids.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

namespace {

// Pasted into a plan with room for every row.
PastedRows<SateChannel> tpsFrom(std::string_view text)
{
    return channelsFromTable(text, CComonOrbitune::kTpLimit);
}

PastedRows<CComonOrbitune> plansFrom(std::string_view text)
{
    return plansFromTable(text, PlanList::kMaxPlans);
}

// A TP as the paste gives it back: its id, number and name are the adder's.
SateChannel withoutIdentity(SateChannel tp)
{
    tp.id = Guid{};
    tp.number = 0;
    return tp;
}

} // namespace

// A TP table from a web page: its own headers and spellings, the symbol rate
// in kS/s; the rules fill what follows from the cells.
TEST(PastedRows, MapsCommonHeadersAndSpellings)
{
    const auto pasted = tpsFrom("Frequency (MHz)\tPol\tSymbol rate (kS/s)\tSystem\tModulation\tFEC\tProvider\n"
                                "11493\tH\t22000\tDVB-S\tQPSK\t5/6\tARD\n"
                                "11538,5\tv\t22000\tDVB-S2\t8PSK\t2/3\t\n");
    ASSERT_FALSE(pasted.failure);
    ASSERT_EQ(pasted.records.size(), 2U);
    const SateChannel& first = pasted.records[0];
    EXPECT_EQ(first.frequency, 1149300U);
    EXPECT_EQ(first.polarization, stored(Polarization::HorizLeft));
    EXPECT_EQ(first.symbolRate, 22000);
    EXPECT_EQ(first.bandwidth, 2970U); // 22 MS/s with roll-off 0.35
    EXPECT_EQ(first.signalType, stored(SignalType::DVB_S));
    EXPECT_EQ(first.codeRate, 3);
    EXPECT_EQ(first.nameText(), "");
    const SateChannel& second = pasted.records[1];
    EXPECT_EQ(second.frequency, 1153850U);
    EXPECT_EQ(second.polarization, stored(Polarization::VertRight));
    EXPECT_EQ(second.signalType, stored(SignalType::DVB_S2));
    EXPECT_EQ(second.modulation, stored(Modulation::PSK8));
    EXPECT_EQ(second.codeRate, 14);
}

// Any failing cell fails the paste, naming the row, the column as pasted and
// the rule.
TEST(PastedRows, OneFailingCellPastesNothing)
{
    const auto range = tpsFrom("Freq(MHz)\tPolarization\n11493\tH\n3399\tV\n");
    EXPECT_TRUE(range.records.empty());
    EXPECT_EQ(range.failure, (PasteFailure{3, "Freq(MHz)", msg::kFrequencyRange, {}}));

    const auto choice = tpsFrom("Freq\tPol\n11493\tX\n");
    EXPECT_EQ(choice.failure, (PasteFailure{2, "Pol", msg::kNotAChoice, {"X", "HORIZ/LEFT, VERT/RIGHT, OFF"}}));

    const auto name = tpsFrom("TP Name\nTP_1.a\nNineChars\n");
    EXPECT_EQ(name.failure, (PasteFailure{3, "TP Name", msg::kTooLong, {}}));

    EXPECT_EQ(tpsFrom("Provider\tBeam\nARD\tEurope\n").failure->rule, msg::kNoKnownColumn);
    EXPECT_EQ(tpsFrom("Freq\n").failure->rule, msg::kNothingToPaste);
}

// Copied as text and pasted back, TPs keep every field the list shows,
// the hundredths of the frequency and both bandwidth and symbol rate.
TEST(PastedRows, CopiedTextPastesBackTheSameValues)
{
    CComonOrbitune plan = makePlan("Astra", 3);
    auto tps = plan.usedChannels();
    tps[0].frequency = 1149350;
    tps[0].bandwidth = 3300; // not what the symbol rate implies
    tps[0].symbolRate = 27500;
    tps[1].signalType = stored(SignalType::DVB_S2);
    tps[1].modulation = stored(Modulation::PSK8);
    tps[1].codeRate = 16;
    tps[1].rollOff = stored(RollOff::R020);
    tps[1].pilots = stored(Pilots::On);
    tps[1].polarization = stored(Polarization::VertRight);
    tps[2].enabled = 0;
    tps[2].lnbLo = stored(LnbLo::High);
    const auto pasted = tpsFrom(channelsTableText(plan, {tps[2].id, tps[0].id, tps[1].id}));
    ASSERT_FALSE(pasted.failure);
    ASSERT_EQ(pasted.records.size(), 3U);
    EXPECT_EQ(withoutIdentity(pasted.records[0]), withoutIdentity(tps[2]));
    EXPECT_EQ(withoutIdentity(pasted.records[1]), withoutIdentity(tps[0]));
    EXPECT_EQ(withoutIdentity(pasted.records[2]), withoutIdentity(tps[1]));
}

TEST(PastedRows, PlansFromTheirOwnTableAndOthers)
{
    PlanList plans = makePlanList(2, 0);
    plans.at(1).longitude = 19.2F;
    plans.at(1).lnbLow = 975000;
    const auto own = plansFrom(plansTableText(plans, {plans.at(1).id}));
    ASSERT_EQ(own.records.size(), 1U);
    EXPECT_EQ(own.records[0].nameText(), "Plan2");
    EXPECT_EQ(own.records[0].longitude, 19.2F);
    EXPECT_EQ(own.records[0].lnbLow, 975000);

    const auto other = plansFrom("Satellite\tPosition\tLOF1\nHotbird\t13.0E\t9750\nHispasat\t30.0W\t\n");
    ASSERT_EQ(other.records.size(), 2U);
    EXPECT_EQ(other.records[0].nameText(), "Hotbird");
    EXPECT_EQ(other.records[0].isEast, 1);
    EXPECT_EQ(other.records[0].lnbLow, 975000);
    EXPECT_EQ(other.records[1].longitude, 30.0F);
    EXPECT_EQ(other.records[1].isEast, 0);
    EXPECT_EQ(plansFrom("Longitude\n181\n").failure, (PasteFailure{2, "Longitude", msg::kLongitudeRange, {}}));
}

// A longitude cell is judged as typed: only the hemisphere letter, a degree
// sign and a minus come off, never characters inside the number.
TEST(PastedRows, LongitudeCellsAreCheckedAsTyped)
{
    for (const char* cell : {"1/2", "19.x0600", "19.2N", "E19.2", "- 5"})
        EXPECT_EQ(plansFrom(std::string("Longitude\n") + cell + "\n").failure,
                  (PasteFailure{2, "Longitude", msg::kBadChars, {}}))
            << cell;
    const auto taken = plansFrom("Position\n19.2 \u00B0E\n5,0W\n-30\n");
    ASSERT_EQ(taken.records.size(), 3U);
    EXPECT_EQ(taken.records[0].longitude, 19.2F);
    EXPECT_EQ(taken.records[0].isEast, 1);
    EXPECT_EQ(taken.records[1].longitude, 5.0F);
    EXPECT_EQ(taken.records[1].isEast, 0);
    EXPECT_EQ(taken.records[2].isEast, 0);
}

// Rows past the room are refused with the limit's message before any record
// is made of them, however many there are.
TEST(PastedRows, RowsPastTheRoomAreRefusedBeforeRecordsAreMade)
{
    std::string rows = "Freq\n99999\n"; // a row the frequency's rule refuses
    for (int i = 0; i < 150000; ++i)
        rows += "11493\n";
    const auto tps = channelsFromTable(rows, CComonOrbitune::kTpLimit);
    EXPECT_TRUE(tps.records.empty());
    EXPECT_EQ(tps.failure, (PasteFailure{0, {}, msg::kMaxTps, {}}));
    const auto plans = plansFromTable(rows, PlanList::kMaxPlans);
    EXPECT_EQ(plans.failure, (PasteFailure{0, {}, msg::kMaxPlans, {}}));

    EXPECT_EQ(plansFromTable("Longitude\n1\n2\n", 2).records.size(), 2U);
    EXPECT_EQ(plansFromTable("Longitude\n1\n2\n3\n", 2).failure, (PasteFailure{0, {}, msg::kMaxPlans, {}}));
}

// The CSV a spreadsheet writes with ";" and decimal commas, and the one it
// writes with "," and quoted cells, give the same TPs as the tab-separated
// text; a header split at another character, a row split at another
// separator and an unknown header are named as such.
TEST(PastedRows, ReadsTheSeparatorsSpreadsheetsWrite)
{
    const auto tabs = tpsFrom("Freq(MHz)\tPol\tSR\tFEC\tNote\n11493.5\tH\t22000\t5/6\tARD; ZDF\n");
    const auto semicolons = tpsFrom("Freq(MHz);Pol;SR;FEC;Note\r\n11493,5;H;22000;5/6;\"ARD; ZDF\"\r\n");
    const auto commas =
        tpsFrom("\"Freq(MHz)\",\"Pol\",SR,FEC,Note\n\"11493.5\",H,\"22000\",5/6,\"ARD, \"\"ZDF\"\"\"\n");
    ASSERT_FALSE(tabs.failure);
    ASSERT_FALSE(semicolons.failure);
    ASSERT_FALSE(commas.failure);
    ASSERT_EQ(tabs.records.size(), 1U);
    EXPECT_EQ(tabs.records[0].frequency, 1149350U);
    EXPECT_EQ(withoutIdentity(semicolons.records.at(0)), withoutIdentity(tabs.records[0]));
    EXPECT_EQ(withoutIdentity(commas.records.at(0)), withoutIdentity(tabs.records[0]));
    EXPECT_EQ(commas.notes, (std::vector<Notice>{{msg::kColumnsLeftOut, {"\"Note\""}}}));

    EXPECT_EQ(tpsFrom("Freq|Pol|SR\n11493|H|22000\n").failure, (PasteFailure{0, {}, msg::kWrongSeparator, {"\"|\""}}));
    EXPECT_EQ(tpsFrom("Freq;Pol;SR\n11493,H,22000\n").failure,
              (PasteFailure{0, {}, msg::kTableCellCount, {"2", "1", "3", "\";\""}}));
    EXPECT_EQ(tpsFrom("Freq,Pol\n11493,5,H\n").failure,
              (PasteFailure{0, {}, msg::kTableCellCount, {"2", "3", "2", "\",\""}}));
    EXPECT_EQ(tpsFrom("Anbieter;Strahl\nARD;Europa\n").failure,
              (PasteFailure{0, {}, msg::kNoKnownColumn, {"\"Anbieter\", \"Strahl\""}}));
}
