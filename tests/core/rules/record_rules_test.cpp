#include "core/model/value_tables.h"
#include "core/res/string_ids.h"
#include "core/rules/record_rules.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

// The fault of an Add CH TP after `change`, field and rule.
std::optional<std::pair<std::string, Notice>> tpFault(const std::function<void(SateChannel&)>& change)
{
    SateChannel tp = SateChannel::withAddDefaults(1, "TP1");
    change(tp);
    const auto fault = recordFault(tp);
    if (!fault)
        return std::nullopt;
    return std::pair{fault->field, fault->rule};
}

std::optional<std::pair<std::string, Notice>> planFault(const std::function<void(CComonOrbitune&)>& change)
{
    CComonOrbitune plan = makePlan("Astra", 2);
    change(plan);
    const auto fault = recordFault(plan);
    if (!fault)
        return std::nullopt;
    return std::pair{fault->field, fault->rule};
}

std::pair<std::string, Notice> faultOf(const char* field, MessageId rule, std::vector<std::string> args = {})
{
    return {field, Notice{rule, std::move(args)}};
}

} // namespace

// Every TP field a JSON paste could carry, at and past its cell's limits: the
// rule typing the value would break, or the choices the value is none of.
TEST(RecordRules, TpFieldsPassTheirCellRules)
{
    EXPECT_EQ(tpFault([](SateChannel&) {}), std::nullopt);
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.setNameText("TP!"); }), faultOf("TP Name", msg::kBadChars));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.setNameText(""); }), std::nullopt); // named when added
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.enabled = 2; }),
              faultOf("Enable", msg::kNotAChoice, {"2", "Enable, Disable"}));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.signalType = 3; }),
              faultOf("Signal Type", msg::kNotAChoice, {"3", "TV, DVB_S, DVB_S2"}));

    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.frequency = 340000; }), std::nullopt);
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.frequency = 1275000; }), std::nullopt);
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.frequency = 1275001; }), faultOf("Freq(MHz)", msg::kFrequencyRange));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.frequency = 100; }), faultOf("Freq(MHz)", msg::kFrequencyRange));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.frequency = 4294967200U; }), faultOf("Freq(MHz)", msg::kFrequencyRange));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.bandwidth = 139; }), faultOf("BW(MHz)", msg::kBandwidthRange));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.bandwidth = 6081; }), faultOf("BW(MHz)", msg::kBandwidthRange));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.symbolRate = -5; }), faultOf("SR(MS/s)", msg::kBadChars));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.symbolRate = 45000; }), std::nullopt);
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.symbolRate = 45001; }), faultOf("SR(MS/s)", msg::kSymbolRateRange));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.symbolRate = std::numeric_limits<std::int32_t>::min(); }),
              faultOf("SR(MS/s)", msg::kBadChars));

    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.codeRate = 15; }),
              faultOf("Code Rate", msg::kNotAChoice, {"15", "1/2, 2/3, 3/4, 5/6, 7/8"}));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.modulation = stored(Modulation::PSK8); }),
              faultOf("Modulation", msg::kNotAChoice, {"0", "QPSK"}));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.rollOff = 7; }),
              faultOf("Roll off", msg::kNotAChoice, {"7", "0.20, 0.25, 0.35"}));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.polarization = 9; }),
              faultOf("Polarization", msg::kNotAChoice, {"9", "HORIZ/LEFT, VERT/RIGHT, OFF"}));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.lnbLo = -1; }),
              faultOf("LNB_LO", msg::kNotAChoice, {"-1", "Auto, Low, High"}));
    EXPECT_EQ(tpFault([](SateChannel& tp) { tp.pilots = stored(Pilots::On); }),
              faultOf("Pilots", msg::kNotAChoice, {"1", "OFF"}));
}

// The combinations typing can make pass: a DVB-S2 QPSK TP keeps an 8PSK code
// rate when the modulation is chosen after it, pilots may be on. A TV TP's
// code rate, modulation and roll-off are set afresh by any change of type; its
// symbol rate is not and shows again.
TEST(RecordRules, CombinationsFollowTheSignalType)
{
    const auto dvbS2 = [](std::int32_t codeRate, Modulation modulation) {
        return tpFault([=](SateChannel& tp) {
            tp.signalType = stored(SignalType::DVB_S2);
            tp.codeRate = codeRate;
            tp.modulation = stored(modulation);
            tp.pilots = stored(Pilots::On);
        });
    };
    EXPECT_EQ(dvbS2(13, Modulation::QPSK), std::nullopt);
    EXPECT_EQ(dvbS2(5, Modulation::PSK8), std::nullopt);
    EXPECT_EQ(dvbS2(4, Modulation::QPSK)->first, "Code Rate");
    EXPECT_EQ(dvbS2(19, Modulation::PSK8)->first, "Code Rate");

    const auto tv = [](const std::function<void(SateChannel&)>& change) {
        return tpFault([&](SateChannel& tp) {
            tp.signalType = stored(SignalType::TV);
            change(tp);
        });
    };
    EXPECT_EQ(tv([](SateChannel& tp) {
                  tp.codeRate = 99;
                  tp.modulation = 5;
                  tp.rollOff = 7;
              }),
              std::nullopt);
    EXPECT_EQ(tv([](SateChannel& tp) { tp.symbolRate = 0; }), faultOf("SR(MS/s)", msg::kSymbolRateRange));
    EXPECT_EQ(tv([](SateChannel& tp) { tp.pilots = 2; })->first, "Pilots");
}

// A plan's own fields, its TP count and then its TPs, the first fault naming
// the TP.
TEST(RecordRules, PlanFieldsTpCountAndTps)
{
    EXPECT_EQ(planFault([](CComonOrbitune&) {}), std::nullopt);
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.setNameText("Türksat"); }), faultOf("Plan Name", msg::kBadChars));
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.isEast = 2; }),
              faultOf("EastOrWest", msg::kNotAChoice, {"2", "East, West"}));
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.longitude = 180.0F; }), std::nullopt);
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.longitude = 0.0F; }), std::nullopt);
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.longitude = 180.01F; }), faultOf("Longitude", msg::kLongitudeRange));
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.longitude = 999.5F; }), faultOf("Longitude", msg::kLongitudeRange));
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.longitude = -0.5F; }), faultOf("Longitude", msg::kBadChars));
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.longitude = std::numeric_limits<float>::quiet_NaN(); }),
              faultOf("Longitude", msg::kBadChars));
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.lnbLow = 99999; }), faultOf("LNB Low OSC", msg::kLnbRange));
    EXPECT_EQ(planFault([](CComonOrbitune& p) { p.lnbHigh = 1200100; }), faultOf("LNB High OSC", msg::kLnbRange));

    CComonOrbitune full = makePlan("Full", CComonOrbitune::kTpLimit);
    EXPECT_EQ(recordFault(full), std::nullopt);
    full.appendChannel(SateChannel::withAddDefaults(101, "TP101"));
    EXPECT_EQ(recordFault(full), (RecordFault{"", {msg::kMaxTps, {}}, 0, {}}));

    CComonOrbitune plan = makePlan("Astra", 3);
    plan.channels[2].frequency = 100;
    EXPECT_EQ(recordFault(plan), (RecordFault{"Freq(MHz)", {msg::kFrequencyRange, {}}, 3, "TP3"}));
}
