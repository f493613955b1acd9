#include "core/import/plan_import.h"
#include "core/import/source_tp.h"
#include "core/import/tp_match.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// A DVB-S TP of 27.5 MS/s at `kHz` with polarization H or V.
SourceTp tpAt(std::uint64_t kHz, std::string_view letter = "H", SignalType type = SignalType::DVB_S)
{
    TpValues values;
    values.frequencyKhz = kHz;
    values.symbolRate = 27500000;
    values.type = type;
    values.codeRate = *codeRateIndex(type, Modulation::QPSK, std::nullopt);
    values.polarization = letter == "H" ? Polarization::HorizLeft : Polarization::VertRight;
    return sourceTpOf(values, letter);
}

Satellite satelliteWith(const std::string& name, std::vector<SourceTp> tps)
{
    return Satellite{name, {130, true}, "test", std::move(tps)};
}

ImportResult importOne(const Satellite& satellite, MeterModel model, const PlanList& plans = {})
{
    return importSatellites(std::span(&satellite, 1), plans, model, 0);
}

} // namespace

TEST(PlanImport, PositionsReadAndWriteWithOneDecimal)
{
    EXPECT_EQ(parsePosition("19.2E"), (OrbitalPosition{192, true}));
    EXPECT_EQ(parsePosition("30w"), (OrbitalPosition{300, false}));
    EXPECT_FALSE(parsePosition("19.25E"));
    EXPECT_FALSE(parsePosition("19.E"));
    EXPECT_FALSE(parsePosition("-19.2E"));
    EXPECT_FALSE(parsePosition("19.2"));
    EXPECT_EQ(positionText({5, false}), "0.5W");
    EXPECT_FALSE((OrbitalPosition{1801, true}).inRange());
}

// Receiver databases write 1801 for the satellite at 179.9W.
TEST(PlanImport, PositionsPastHalfATurnComeRound)
{
    EXPECT_EQ(normalisedPosition(1801), (OrbitalPosition{1799, false}));
    EXPECT_EQ(normalisedPosition(-1801), (OrbitalPosition{1799, true}));
    EXPECT_EQ(normalisedPosition(1800), (OrbitalPosition{1800, true}));
    EXPECT_EQ(normalisedPosition(-1800), (OrbitalPosition{1800, false}));
    EXPECT_EQ(normalisedPosition(3592), (OrbitalPosition{8, false}));
    EXPECT_EQ(normalisedPosition(-8), (OrbitalPosition{8, false}));
    EXPECT_EQ(normalisedPosition(0), (OrbitalPosition{0, true}));
    EXPECT_FALSE(normalisedPosition(3600));
    EXPECT_FALSE(normalisedPosition(-3600));
    EXPECT_FALSE(normalisedPosition(std::numeric_limits<std::int64_t>::min()));
}

TEST(PlanImport, BandsAndTheSameTp)
{
    SateChannel a;
    a.frequency = 1069999;
    EXPECT_EQ(bandOf(a), Band::C);
    a.frequency = 1070000;
    EXPECT_EQ(bandOf(a), Band::KuLow);
    a.frequency = 1170000;
    EXPECT_EQ(bandOf(a), Band::KuHigh);
    SateChannel b = a;
    b.frequency = 1170099;
    EXPECT_TRUE(sameTp(a, b));
    b.frequency = 1170100;
    EXPECT_FALSE(sameTp(a, b));
    b.frequency = a.frequency;
    b.polarization = stored(Polarization::VertRight);
    EXPECT_FALSE(sameTp(a, b));
}

// Names keep the characters a plan name allows, at most 8, and are unique.
TEST(PlanImport, PlanNamesAreUniqueAndAllowed)
{
    PlanList plans;
    plans.append(makePlan("Hotbird", 1));
    const Satellite satellites[] = {satelliteWith("Hotbird-13C", {tpAt(11000000)}),
                                    satelliteWith("Hotbird-13E", {tpAt(11000000)}),
                                    satelliteWith("(Sat!) ", {tpAt(11000000)}), satelliteWith("", {tpAt(11000000)})};
    const auto result = importSatellites(satellites, plans, MeterModel::General, 7);
    ASSERT_EQ(result.plans.size(), 4U);
    EXPECT_EQ(result.plans[0].plan.nameText(), "Hotbi1");
    EXPECT_EQ(result.plans[1].plan.nameText(), "Hotbi2");
    EXPECT_EQ(result.plans[2].plan.nameText(), "Sat");
    EXPECT_EQ(result.plans[3].plan.nameText(), "Plan1");
    EXPECT_EQ(result.plans[3].plan.number, 11);
    EXPECT_EQ(result.nextPlanNumber, 11);
}

// A plan name that is not how its satellite's name starts is named, with
// the satellite; one that only cuts the name at 8 characters is not.
TEST(PlanImport, ChangedPlanNamesAreNamed)
{
    PlanList plans;
    plans.append(makePlan("Astra 19", 1));
    const Satellite satellites[] = {
        satelliteWith("Astra 28.2E", {tpAt(11000000)}), satelliteWith("T\xc3\xbcrksat 42E", {tpAt(11000000)}),
        satelliteWith("Astra 19.2E", {tpAt(11000000)}), satelliteWith("  Thor", {tpAt(11000000)})};
    const auto result = importSatellites(satellites, plans, MeterModel::General, 0);
    ASSERT_EQ(result.plans.size(), 4U);
    EXPECT_FALSE(result.plans[0].nameChanged);
    EXPECT_EQ(result.plans[1].nameChanged, (Notice{msg::kSatelliteNameChanged, {"T\xc3\xbcrksat 42E", "Trksat 4"}}));
    EXPECT_EQ(result.plans[2].nameChanged, (Notice{msg::kSatelliteNameChanged, {"Astra 19.2E", "Astra1"}}));
    EXPECT_FALSE(result.plans[3].nameChanged);
    EXPECT_EQ(noticeText(*result.plans[2].nameChanged, Language::English),
              "The plan of the satellite \"Astra 19.2E\" is named \"Astra1\"");
}

TEST(PlanImport, MostlyCBandMakesACBandPlan)
{
    const auto result =
        importOne(satelliteWith("C", {tpAt(4000000), tpAt(3700000, "V"), tpAt(11000000)}), MeterModel::General);
    const auto& plan = result.plans[0];
    EXPECT_EQ(plan.plan.lnbLow, 515000);
    EXPECT_EQ(plan.plan.lnbHigh, 515000);
    ASSERT_EQ(plan.plan.channelCount, 2);
    EXPECT_EQ(plan.plan.channels[0].nameText(), "3700V");
    EXPECT_EQ(plan.plan.channels[1].number, 2);
    ASSERT_EQ(plan.leftOut.size(), 1U);
    EXPECT_EQ(plan.leftOut[0].why, (Notice{msg::kOtherBandTp, {"Ku", "C"}}));
}

// Q24 takes no DVB-S2 and six TPs; a plan without TPs fails the model check.
TEST(PlanImport, ModelLimitsLeaveTpsOutOrRefuse)
{
    std::vector<SourceTp> tps{tpAt(10700000, "V", SignalType::DVB_S2)};
    for (int i = 0; i < 8; ++i)
        tps.push_back(tpAt(10800000 + 10000 * static_cast<std::uint64_t>(i)));
    const auto q24 = importOne(satelliteWith("Q", tps), MeterModel::Q24);
    EXPECT_FALSE(q24.refused);
    EXPECT_EQ(q24.plans[0].plan.channelCount, 6);
    ASSERT_EQ(q24.plans[0].leftOut.size(), 3U);
    EXPECT_EQ(q24.plans[0].leftOut[0].why, (Notice{msg::kQ24NoS2, {}}));
    EXPECT_EQ(q24.plans[0].leftOut[1].why, (Notice{msg::kPlanTpLimit, {"6", "Q24"}}));
    EXPECT_EQ(q24.plans[0].leftOut[2].tp, "10870 H 27500");
    EXPECT_EQ(importOne(satelliteWith("Q", tps), MeterModel::Q36).plans[0].plan.channelCount, 9);
    EXPECT_EQ(tpLimitOf(MeterModel::Q9100), 100);
    EXPECT_EQ(tpLimitOf(MeterModel::General), 100);

    const auto empty = importOne(satelliteWith("E", {tpAt(20000000)}), MeterModel::Q36);
    EXPECT_EQ(empty.refused, (Notice{msg::kQ36PlanNeedsTp, {}}));
    const std::vector<Satellite> seventeen(17, satelliteWith("F", {tpAt(11000000)}));
    EXPECT_EQ(importSatellites(seventeen, PlanList{}, MeterModel::Q24, 0).refused, (Notice{msg::kQ24MaxPlans, {}}));
    // The plans already in the list are not the import's to check: sixteen
    // plans, unfinished, do not stop it.
    EXPECT_FALSE(importOne(satelliteWith("F", {tpAt(11000000)}), MeterModel::Q24, makePlanList(16, 0)).refused);
    EXPECT_EQ(importOne(satelliteWith("G", {tpAt(11000000)}), MeterModel::General, makePlanList(255, 1)).refused,
              (Notice{msg::kMaxPlans, {}}));
}

// TPs added to a plan skip those it has, and take a free name when theirs is
// taken; the plan replaces itself in the check.
TEST(PlanImport, AddingToAPlanSkipsTheSameTp)
{
    PlanList plans;
    plans.append(makePlan("Mine", 1));
    CComonOrbitune plan = plans.at(0);
    plan.channels[0].frequency = 1071900;
    plan.channels[0].polarization = stored(Polarization::VertRight);
    plan.channels[0].setNameText("10800H");
    const std::vector<SourceTp> tps{tpAt(10800000), tpAt(10719500, "V")};
    const auto added = addToPlan(plan, tps, MeterModel::Q24);
    ASSERT_EQ(added.plan.channelCount, 2);
    EXPECT_EQ(added.plan.channels[1].nameText(), "TP1");
    EXPECT_EQ(added.plan.channels[1].frequency, 1080000U);
    ASSERT_EQ(added.leftOut.size(), 1U);
    EXPECT_EQ(added.leftOut[0].why, (Notice{msg::kSameTpInPlan, {}}));
    EXPECT_EQ(checkImport(plans, std::span(&added.plan, 1), MeterModel::Q24), std::nullopt);
}

// Import keeps Add CH's 100 TPs a plan, whatever the model allows, into a new
// plan and into one that has TPs already.
TEST(PlanImport, PlansTakeAtMost100Tps)
{
    std::vector<SourceTp> tps;
    for (std::uint64_t i = 0; i < 209; ++i)
        tps.push_back(tpAt(10700000 + 5000 * i));
    const auto general = importOne(satelliteWith("Many", tps), MeterModel::General);
    EXPECT_FALSE(general.refused);
    EXPECT_EQ(general.plans[0].plan.channelCount, 100);
    ASSERT_EQ(general.plans[0].leftOut.size(), 109U);
    EXPECT_EQ(general.plans[0].leftOut[0].why, (Notice{msg::kPlanTpLimit, {"100", "General"}}));
    EXPECT_EQ(general.plans[0].leftOut[0].tp, "11200 H 27500");

    CComonOrbitune ninetyNine = makePlan("Mine", 99);
    for (SateChannel& tp : ninetyNine.usedChannels())
        tp.frequency = 1200000;
    EXPECT_EQ(addToPlan(ninetyNine, tps, MeterModel::Q9100).plan.channelCount, 100);
}

// A TP whose record breaks a cell's rule is left out with the rule's message;
// more satellites than the list has room for are refused before plans are made.
TEST(PlanImport, RecordsPassTheGateAndTheListLimit)
{
    std::vector<SourceTp> tps{tpAt(11000000), tpAt(11100000)};
    tps[1].channel->polarization = 9;
    const auto imported = importOne(satelliteWith("Gate", tps), MeterModel::General);
    EXPECT_EQ(imported.plans[0].plan.channelCount, 1);
    ASSERT_EQ(imported.plans[0].leftOut.size(), 1U);
    EXPECT_EQ(imported.plans[0].leftOut[0].why, (Notice{msg::kNotAChoice, {"9", "HORIZ/LEFT, VERT/RIGHT, OFF"}}));

    const std::vector<Satellite> two(2, satelliteWith("F", {tpAt(11000000)}));
    const auto full = importSatellites(two, makePlanList(254, 1), MeterModel::General, 254);
    EXPECT_EQ(full.refused, (Notice{msg::kMaxPlans, {}}));
    EXPECT_TRUE(full.plans.empty());
    EXPECT_EQ(full.nextPlanNumber, 254);
    EXPECT_FALSE(importSatellites(std::span(two).first(1), makePlanList(254, 1), MeterModel::General, 254).refused);
}
