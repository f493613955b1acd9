#include "core/import/import_source.h"
#include "core/import/plan_import.h"
#include "core/import/satellite_names.h"
#include "core/import/source_tp.h"
#include "core/import/tp_choice.h"
#include "core/import/tp_match.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

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

// One rule names plans after satellites: positions, band words and the
// other satellites of a "/" go, the part that tells a family apart stays.
TEST(PlanImport, SatelliteNamesKeepWhatTellsThemApart)
{
    const std::pair<std::string_view, std::string_view> names[] = {
        {"19.2E Astra 1KR/1L/1M/1N", "Astra1KR"},
        {"Hotbird-13B", "Hotbi13B"},
        {"Hotbird-13E", "Hotbi13E"},
        {"13.0E Hot Bird 13B/13C/13E", "HotBi13B"},
        {"Astra-1KR", "Astra1KR"},
        {"Eutelsat-113-West-A", "Eut113WA"},
        {"AMC10_C", "AMC10"},
        {"Intelsat 907 (27,5\u00B0W) Ku-band", "Intel907"},
        {"Astra 28.2E", "Astra"},
        {"T\xc3\xbcrksat 42E", "Trksa42E"},
        {"Eutelsat West A", "Eutelsat"},
        {"123456789012", "12345678"},
        {"19.2E / Astra", "Astra"},
        {"(Sat!) ", "Sat"},
        {"13.0E", ""},
    };
    for (const auto& [satellite, plan] : names)
        EXPECT_EQ(satellitePlanName(satellite), plan) << satellite;
}

// Names are unique: a taken one becomes its first five characters and a
// number; nothing left gives Add Plan's name.
TEST(PlanImport, PlanNamesAreUniqueAndAllowed)
{
    PlanList plans;
    plans.append(makePlan("Hotbird", 1));
    const Satellite satellites[] = {satelliteWith("Hotbird-13C", {tpAt(11000000)}),
                                    satelliteWith("Hotbird", {tpAt(11000000)}), satelliteWith("", {tpAt(11000000)})};
    const auto result = importSatellites(satellites, plans, MeterModel::General, 7);
    ASSERT_EQ(result.plans.size(), 3U);
    EXPECT_EQ(result.plans[0].plan.nameText(), "Hotbi13C");
    EXPECT_EQ(result.plans[1].plan.nameText(), "Hotbi1");
    EXPECT_EQ(result.plans[2].plan.nameText(), "Plan1");
    EXPECT_EQ(result.plans[2].plan.number, 10);
    EXPECT_EQ(result.nextPlanNumber, 10);
}

// Every plan whose name is not its satellite's is named with the satellite.
TEST(PlanImport, ChangedPlanNamesAreNamed)
{
    const Satellite satellites[] = {satelliteWith("Astra 28.2E", {tpAt(11000000)}),
                                    satelliteWith("  Thor ", {tpAt(11000000)}),
                                    satelliteWith("Astra-1KR", {tpAt(11000000)})};
    const auto result = importSatellites(satellites, PlanList{}, MeterModel::General, 0);
    ASSERT_EQ(result.plans.size(), 3U);
    EXPECT_EQ(result.plans[0].nameChanged, (Notice{msg::kSatelliteNameChanged, {"Astra 28.2E", "Astra"}}));
    EXPECT_FALSE(result.plans[1].nameChanged);
    EXPECT_EQ(noticeText(*result.plans[2].nameChanged, Language::English),
              "The plan of the satellite \"Astra-1KR\" is named \"Astra1KR\"");
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
    // Spread over the band: 10840 and 10860 go, the ends stay.
    EXPECT_EQ(q24.plans[0].leftOut[1].tp, "10840 H 27500");
    EXPECT_EQ(q24.plans[0].leftOut[2].tp, "10860 H 27500");
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
    // The nine high band TPs are all taken, the low band's 200 spread.
    EXPECT_EQ(general.plans[0].plan.channels[99].frequency, 1174000U);
    EXPECT_EQ(general.plans[0].plan.channels[91].frequency, 1170000U);
    EXPECT_EQ(general.plans[0].plan.channels[0].frequency, 1070000U);
    EXPECT_EQ(general.plans[0].plan.channels[90].frequency, 1169500U);

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

// The quadrants a plan holding `held` does not cover come first, each with the
// TP nearest its middle, a guessed code rate only where there is nothing
// else; then each quadrant in turn takes the TP farthest from its own.
TEST(PlanImport, ChosenTpsCoverTheQuadrantsThenSpread)
{
    const auto tp = [](std::uint32_t frequency, Polarization polarization, int rank = 0) {
        SateChannel channel = SateChannel::withAddDefaults(0, "");
        channel.frequency = frequency;
        channel.polarization = stored(polarization);
        return TpCandidate{channel, rank};
    };
    const auto V = Polarization::VertRight;
    const auto H = Polarization::HorizLeft;
    const std::vector<TpCandidate> offered{tp(1080000, H),    tp(1090000, H),    tp(1100000, H),
                                           tp(1110000, H, 1), tp(1075000, V, 1), tp(1180000, V),
                                           tp(1190000, V),    tp(1200000, V),    tp(1210000, V)};
    using Taken = std::vector<bool>;
    EXPECT_EQ(chooseTps(offered, {}, 9), Taken(9, true));
    // V low (its only TP, guessed), V high (1195 is the middle: 1190 on the
    // tie), H low (1095: 1090).
    EXPECT_EQ(chooseTps(offered, {}, 3), (Taken{false, true, false, false, true, false, true, false, false}));
    // Then V high's farthest (1210) and H low's (1080 before 1100); the
    // guessed 1110 comes last.
    EXPECT_EQ(chooseTps(offered, {}, 5), (Taken{true, true, false, false, true, false, true, false, true}));
    EXPECT_EQ(chooseTps(offered, {}, 8), (Taken{true, true, true, false, true, true, true, true, true}));
    // A plan holding a V low and an H low TP leaves V high to cover first, and
    // to spread next, before H low.
    const SateChannel held[] = {tp(1076000, V).tp, tp(1100000, H).tp};
    EXPECT_EQ(chooseTps(offered, held, 2), (Taken{false, false, false, false, false, false, true, false, true}));
}

// A Q36 import of 19.2E from the distribution's scan tables: nine TPs a plan,
// in every band and polarization the satellite has, each code rate the
// tables leave to the receiver listed with the rate taken.
TEST(PlanImport, Q36PlansOf19EastCoverEveryQuadrant)
{
    const SourceListing listing = readSource(defaultScanFolder());
    std::vector<Satellite> astra;
    for (const Satellite& satellite : listing.satellites)
        if (satellite.position == OrbitalPosition{192, true})
            astra.push_back(satellite);
    ASSERT_EQ(astra.size(), 5U);
    const auto result = importSatellites(astra, PlanList{}, MeterModel::Q36, 0);
    ASSERT_FALSE(result.refused);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < astra.size(); ++i) {
        const PlanImport& plan = result.plans[i];
        names.push_back(plan.plan.nameText());
        std::set<std::pair<std::int32_t, Band>> had;
        std::set<std::pair<std::int32_t, Band>> held;
        for (const SourceTp& tp : astra[i].tps)
            if (tp.channel)
                had.emplace(tp.channel->polarization, bandOf(*tp.channel));
        for (const SateChannel& tp : plan.plan.usedChannels())
            held.emplace(tp.polarization, bandOf(tp));
        EXPECT_EQ(held, had) << astra[i].name;
        EXPECT_EQ(plan.plan.channelCount, std::min(9, astra[i].storableCount())) << astra[i].name;
        EXPECT_EQ(plan.guessed.size(), astra[i].name == "Astra" ? 0U : 9U) << astra[i].name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Astra", "Astra1KR", "Astra1L", "Astra1M", "Astra1N"}));
    EXPECT_EQ(result.plans[1].nameChanged, (Notice{msg::kSatelliteNameChanged, {"Astra-1KR", "Astra1KR"}}));
    // Astra 1L's plan: V low 10979 and 11288, H low 10964, 11303 and 11553,
    // V high 11597 and 12728, H high 12188 and 12515.
    EXPECT_EQ(result.plans[2].plan.channels[0].nameText(), "10964H");
    EXPECT_EQ(result.plans[2].plan.channels[8].nameText(), "12728V");
    EXPECT_EQ(result.plans[2].guessed[0], (GuessedTp{"10964 H 22000", "3/5"}));
    EXPECT_EQ(result.plans[2].guessed[1], (GuessedTp{"10979 V 22000", "1/2"}));
}
