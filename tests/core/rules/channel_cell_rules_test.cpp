#include "core/rules/channel_cell_rules.h"

#include "core/res/string_ids.h"
#include "core/rules/decimal_text.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace channel_column;

const ChannelRowTexts kDvbSRow{"DVB_S", "QPSK", "0.35"};
const ChannelRowTexts kTvRow{"TV", "---", "---"};

// A plan with TP1, TP2 and TP3; the tests edit TP1.
class ChannelCellRules : public ::testing::Test {
protected:
    CComonOrbitune plan = makePlan("Plan1", 3);
    SateChannel tp = plan.channels[0];

    ChannelCellResult edit(int column, const std::string& text, const ChannelRowTexts& row = kDvbSRow) const
    {
        return ChannelCellEdited(column, text, row, tp, plan);
    }
};

void expectRefused(const ChannelCellResult& r, MessageId id)
{
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.messageId, id);
    EXPECT_TRUE(r.refreshList);
    EXPECT_FALSE(r.record.has_value());
    EXPECT_TRUE(r.cells.empty());
}

void expectNothingStored(const ChannelCellResult& r)
{
    EXPECT_TRUE(r.accepted);
    EXPECT_FALSE(r.messageId.has_value());
    EXPECT_FALSE(r.record.has_value());
    EXPECT_TRUE(r.cells.empty());
    EXPECT_FALSE(r.refreshList);
}

} // namespace

struct TextCase {
    const char* text;
    bool passes;
};

TEST(TextChecks, IsNumericText)
{
    const std::vector<TextCase> cases{
        {"", false},    {"0", true},    {"3500", true}, {"3500.5", true}, {"12.3.4", true},
        {"5.", true},   {".5", false},  {"-1", false},  {"1e5", false},   {" 1", false},
        {"1,5", false}, {"---", false}, {"1 2", false}, {"12a", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNumericText(c.text), c.passes) << '"' << c.text << '"';
}

TEST(TextChecks, IsNameText)
{
    const std::vector<TextCase> cases{
        {"", false},       {"TP1", true},       {"Astra 19", true}, {"a-b", true},  {"a_b.c", true},
        {"[\\]^_`", true}, {"a!b", false},      {"{", false},       {"~", false},   {"@", false},
        {"a/b", false},    {"\xC3\xA9", false}, {"\t", false},      {"9876", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNameText(c.text), c.passes) << '"' << c.text << '"';
}

TEST(RoundSymbolRateTest, RoundsTheFourthDecimalHalfUp)
{
    EXPECT_EQ(RoundSymbolRate(27.4996), 27500);
    EXPECT_EQ(RoundSymbolRate(27.4999), 27500);
    EXPECT_EQ(RoundSymbolRate(27.4994), 27499);
    EXPECT_EQ(RoundSymbolRate(27.4995), 27500);
    EXPECT_EQ(RoundSymbolRate(9.9995), 10000);
    EXPECT_EQ(RoundSymbolRate(10.0), 10000);
    EXPECT_EQ(RoundSymbolRate(0.0), 0);
}

TEST(RoundSymbolRateTest, ThreeDecimalRatesKeepEveryKiloSymbol)
{
    // trunc(1.001 x 1000) in binary floating point would give 1000.
    EXPECT_EQ(RoundSymbolRate(1.001), 1001);
    for (int n = 1000; n <= 45000; ++n)
        ASSERT_EQ(RoundSymbolRate(decimal::parse(decimal::formatScaled(n, 3))), n) << n;
}

TEST(RoundSymbolRateTest, HostileValuesSaturate)
{
    EXPECT_EQ(RoundSymbolRate(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundSymbolRate(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(RoundSymbolRate(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundSymbolRate(-1e300), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundSymbolRate(-27.4996), -27500);
}

struct ChoiceCase {
    int column;
    ChannelRowTexts row;
    std::vector<std::string> choices;
};

// 30 MS/s with 0.35 span 40.50 MHz; 27.5 MS/s with 0.20, 33.00 MHz; 1 MS/s
// with 0.35 would span 1.35 MHz and gets the least, 1.40 MHz.
TEST(BandwidthOfSymbolRateTest, FollowsTheRollOffAndKeepsTheLeast)
{
    constexpr std::uint64_t kMega = 1'000'000'000;
    EXPECT_EQ(BandwidthOfSymbolRate(30 * kMega, 35), 4050U);
    EXPECT_EQ(BandwidthOfSymbolRate(27'500'000'000, 20), 3300U);
    EXPECT_EQ(BandwidthOfSymbolRate(1 * kMega, 35), 140U);
}

TEST(ChannelChoices, EveryColumnAndType)
{
    const ChannelRowTexts s2Qpsk{"DVB_S2", "QPSK", "0.35"};
    const ChannelRowTexts s28psk{"DVB_S2", "8PSK", "0.35"};
    const ChannelRowTexts odd{"", "", ""};
    const std::vector<ChoiceCase> cases{
        {kNumber, kDvbSRow, {}},
        {kName, kDvbSRow, {}},
        {kEnable, kDvbSRow, {"Enable", "Disable"}},
        {kSignalType, kTvRow, {"TV", "DVB_S", "DVB_S2"}},
        {kFrequency, kDvbSRow, {}},
        {kBandwidth, kDvbSRow, {}},
        {kSymbolRate, kDvbSRow, {}},
        {kCodeRate, kTvRow, {"---"}},
        {kCodeRate, kDvbSRow, {"1/2", "2/3", "3/4", "5/6", "7/8"}},
        {kCodeRate, s28psk, {"3/5", "2/3", "3/4", "5/6", "8/9", "9/10"}},
        {kCodeRate, s2Qpsk, {"1/2", "3/5", "2/3", "3/4", "4/5", "5/6", "8/9", "9/10"}},
        {kCodeRate, odd, {}},
        {kModulation, kTvRow, {"---"}},
        {kModulation, kDvbSRow, {"QPSK"}},
        {kModulation, s2Qpsk, {"QPSK", "8PSK"}},
        {kModulation, odd, {}},
        {kRollOff, kTvRow, {"---"}},
        {kRollOff, kDvbSRow, {"0.20", "0.25", "0.35"}},
        {kRollOff, s28psk, {"0.20", "0.25", "0.35"}},
        {kRollOff, odd, {}},
        {kPolarization, kTvRow, {"HORIZ/LEFT", "VERT/RIGHT", "OFF"}},
        {kLnbLo, kDvbSRow, {"Auto", "Low", "High"}},
        {kPilots, kTvRow, {"---"}},
        {kPilots, kDvbSRow, {"OFF"}},
        {kPilots, s2Qpsk, {"ON", "OFF"}},
        {kPilots, odd, {}},
        {13, kDvbSRow, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChannelColumnChoices(c.column, c.row), c.choices) << "column " << c.column << ' ' << c.row.signalType;
}

TEST_F(ChannelCellRules, NumberColumnStoresNothing)
{
    expectNothingStored(edit(kNumber, "7"));
}

TEST_F(ChannelCellRules, NameChecksInOrder)
{
    expectRefused(edit(kName, ""), msg::kBadChars);
    expectRefused(edit(kName, "a!b"), msg::kBadChars);
    expectRefused(edit(kName, "TP{"), msg::kBadChars);
    expectRefused(edit(kName, "ABCDEFGHI"), msg::kTooLong);
    expectRefused(edit(kName, "TP2"), msg::kTpNameExists);
    expectRefused(edit(kName, "TP3"), msg::kTpNameExists);
}

TEST_F(ChannelCellRules, OwnNameIsAcceptedSilentlyAndStoresNothing)
{
    const auto r = edit(kName, "TP1");
    EXPECT_FALSE(r.accepted);
    EXPECT_FALSE(r.messageId.has_value());
    EXPECT_FALSE(r.record.has_value());
    EXPECT_FALSE(r.refreshList);
}

TEST_F(ChannelCellRules, NewNamesAreStored)
{
    for (const std::string name : {"ABCDEFGH", "tp2", "a_b.c", "Hot Bird"}) {
        const auto r = edit(kName, name);
        ASSERT_TRUE(r.record.has_value()) << name;
        EXPECT_TRUE(r.accepted);
        EXPECT_FALSE(r.refreshList);
        EXPECT_EQ(r.record->nameText(), name);
        EXPECT_EQ(r.record->id, tp.id);
    }
}

TEST_F(ChannelCellRules, EnableStoresOneOnlyForEnable)
{
    tp.enabled = 0;
    EXPECT_EQ(edit(kEnable, "Enable").record->enabled, 1);
    tp.enabled = 1;
    EXPECT_EQ(edit(kEnable, "Disable").record->enabled, 0);
    EXPECT_EQ(edit(kEnable, "enable").record->enabled, 0);
}

TEST_F(ChannelCellRules, SignalTypeTvKeepsEveryOtherField)
{
    tp.codeRate = 3;
    tp.pilots = 1;
    const auto r = edit(kSignalType, "TV");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_TRUE(r.refreshList);
    SateChannel expected = tp;
    expected.signalType = 0;
    EXPECT_EQ(*r.record, expected);
}

TEST_F(ChannelCellRules, SignalTypeDvbSResetsItsDefaults)
{
    tp.signalType = 2;
    tp.codeRate = 15;
    tp.modulation = 0;
    tp.rollOff = 2;
    tp.pilots = 1;
    const auto r = edit(kSignalType, "DVB_S");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_TRUE(r.refreshList);
    EXPECT_EQ(r.record->signalType, 1);
    EXPECT_EQ(r.record->codeRate, 0);
    EXPECT_EQ(r.record->modulation, 1);
    EXPECT_EQ(r.record->rollOff, 0);
    EXPECT_EQ(r.record->pilots, 0);
    EXPECT_EQ(r.record->frequency, tp.frequency);
    EXPECT_EQ(r.record->bandwidth, tp.bandwidth);
    EXPECT_EQ(r.record->symbolRate, tp.symbolRate);
}

TEST_F(ChannelCellRules, SignalTypeDvbS2ResetsAndKeepsPilots)
{
    tp.codeRate = 4;
    tp.modulation = 0;
    tp.rollOff = 1;
    tp.pilots = 1;
    const auto r = edit(kSignalType, "DVB_S2");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_TRUE(r.refreshList);
    EXPECT_EQ(r.record->signalType, 2);
    EXPECT_EQ(r.record->codeRate, 6);
    EXPECT_EQ(r.record->modulation, 1);
    EXPECT_EQ(r.record->rollOff, 0);
    EXPECT_EQ(r.record->pilots, 1);
}

TEST_F(ChannelCellRules, UnknownSignalTypeStoresNothingButRefreshes)
{
    const auto r = edit(kSignalType, "DVB_T");
    EXPECT_FALSE(r.record.has_value());
    EXPECT_FALSE(r.messageId.has_value());
    EXPECT_TRUE(r.refreshList);
}

TEST_F(ChannelCellRules, FrequencyChecks)
{
    expectRefused(edit(kFrequency, ""), msg::kBadChars);
    expectRefused(edit(kFrequency, "abc"), msg::kBadChars);
    expectRefused(edit(kFrequency, ".5"), msg::kBadChars);
    expectRefused(edit(kFrequency, "-3500"), msg::kBadChars);
    expectRefused(edit(kFrequency, "3399.99"), msg::kFrequencyRange);
    expectRefused(edit(kFrequency, "12750.01"), msg::kFrequencyRange);
    expectRefused(edit(kFrequency, "0"), msg::kFrequencyRange);
    expectRefused(edit(kFrequency, std::string(40, '9')), msg::kFrequencyRange);
}

struct StoreCase {
    const char* text;
    std::uint32_t stored;
};

TEST_F(ChannelCellRules, FrequencyStoresHundredths)
{
    const std::vector<StoreCase> cases{
        {"3400", 340000}, {"12750", 1275000},   {"3500.5", 350050},     {"4096.11", 409611},
        {"3500", 350000}, {"3500.5.7", 350050}, {"12750.009", 1275000}, {"11111.119", 1111111},
    };
    for (const auto& c : cases) {
        const auto r = edit(kFrequency, c.text);
        ASSERT_TRUE(r.record.has_value()) << c.text;
        EXPECT_EQ(r.record->frequency, c.stored) << c.text;
        EXPECT_TRUE(r.cells.empty());
        EXPECT_FALSE(r.refreshList);
    }
}

TEST_F(ChannelCellRules, NoTypedFrequencyLosesAHundredth)
{
    for (std::uint32_t f = 340000; f <= 1275000; ++f) {
        const auto r = edit(kFrequency, decimal::formatScaled(f, 2), kTvRow);
        ASSERT_TRUE(r.record.has_value()) << f;
        ASSERT_EQ(r.record->frequency, f);
    }
}

TEST_F(ChannelCellRules, BandwidthChecks)
{
    expectRefused(edit(kBandwidth, ""), msg::kBadChars);
    expectRefused(edit(kBandwidth, "1,5"), msg::kBadChars);
    expectRefused(edit(kBandwidth, "1.3"), msg::kBandwidthRange);
    expectRefused(edit(kBandwidth, "1.39999"), msg::kBandwidthRange);
    expectRefused(edit(kBandwidth, "60.81"), msg::kBandwidthRange);
    expectRefused(edit(kBandwidth, "60.8000001"), msg::kBandwidthRange);
    expectRefused(edit(kBandwidth, std::string(40, '9')), msg::kBandwidthRange);
}

TEST_F(ChannelCellRules, BandwidthSetsTheSymbolRate)
{
    auto r = edit(kBandwidth, "13.5");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->bandwidth, 1350U);
    EXPECT_EQ(r.record->symbolRate, 10000);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kSymbolRate, "10.000"}}));

    r = edit(kBandwidth, "60.8");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->bandwidth, 6080U);
    EXPECT_EQ(r.record->symbolRate, 45000);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kSymbolRate, "45.000"}}));

    r = edit(kBandwidth, "1.4", {"DVB_S2", "QPSK", "0.20"});
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->bandwidth, 140U);
    EXPECT_EQ(r.record->symbolRate, 1167); // 1400 / 1.2 = 1166.67 kS/s
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kSymbolRate, "1.167"}}));
    EXPECT_FALSE(r.refreshList);
}

TEST_F(ChannelCellRules, BandwidthOnATvRowStoresOnlyTheBandwidth)
{
    const auto r = edit(kBandwidth, "4.35", kTvRow);
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->bandwidth, 435U);
    EXPECT_EQ(r.record->symbolRate, tp.symbolRate);
    EXPECT_TRUE(r.cells.empty());
}

TEST_F(ChannelCellRules, NoTypedBandwidthLosesAHundredth)
{
    EXPECT_EQ(edit(kBandwidth, "4.35").record->bandwidth, 435U);
    for (std::uint32_t b = 140; b <= 6080; ++b) {
        for (const auto& row : {kTvRow, kDvbSRow}) {
            const auto r = edit(kBandwidth, decimal::formatScaled(b, 2), row);
            ASSERT_TRUE(r.record.has_value()) << b;
            ASSERT_EQ(r.record->bandwidth, b);
        }
    }
}

TEST_F(ChannelCellRules, SymbolRateChecks)
{
    expectRefused(edit(kSymbolRate, ""), msg::kBadChars);
    expectRefused(edit(kSymbolRate, "-1"), msg::kBadChars);
    expectRefused(edit(kSymbolRate, "---", kTvRow), msg::kBadChars);
    expectRefused(edit(kSymbolRate, "45.001"), msg::kSymbolRateRange);
    expectRefused(edit(kSymbolRate, "45.0000001"), msg::kSymbolRateRange);
    expectRefused(edit(kSymbolRate, "0.999"), msg::kSymbolRateRange);
    expectRefused(edit(kSymbolRate, std::string(40, '9')), msg::kSymbolRateRange);
}

TEST_F(ChannelCellRules, SymbolRateOnATvRowShowsDashesAndStoresNothing)
{
    const auto r = edit(kSymbolRate, "12", kTvRow);
    EXPECT_TRUE(r.accepted);
    EXPECT_FALSE(r.messageId.has_value());
    EXPECT_FALSE(r.record.has_value());
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kSymbolRate, "---"}}));
    EXPECT_FALSE(r.refreshList);
}

TEST_F(ChannelCellRules, SymbolRateSetsTheBandwidth)
{
    auto r = edit(kSymbolRate, "30");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->symbolRate, 30000);
    EXPECT_EQ(r.record->bandwidth, 4050U);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kBandwidth, "40.50"}}));

    r = edit(kSymbolRate, "1.0");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->symbolRate, 1000);
    EXPECT_EQ(r.record->bandwidth, 140U);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kBandwidth, "1.40"}}));

    r = edit(kSymbolRate, "45");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->symbolRate, 45000);
    EXPECT_EQ(r.record->bandwidth, 6075U);

    r = edit(kSymbolRate, "27.4996");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->symbolRate, 27500);
}

// Derived fields are stored on the exact decimals, while their cells show the
// computed value rounded as the cell's format rounds.
TEST_F(ChannelCellRules, DerivedCellsShowTheRoundedValueAndStoreTheExactOne)
{
    // 1.25 x 8.008 MS/s = 10.010 MHz; binary floating point gives 1000.99...
    auto r = edit(kSymbolRate, "8.008", {"DVB_S2", "QPSK", "0.25"});
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->bandwidth, 1001U);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kBandwidth, "10.01"}}));
    // 1.35 x 27.509 = 37.13715 MHz: stored 3713, shown 37.14.
    r = edit(kSymbolRate, "27.509");
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->bandwidth, 3713U);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kBandwidth, "37.14"}}));
    // 1.35 x 1.041 = 1.40535 MHz: above the floor, shown 1.41.
    r = edit(kSymbolRate, "1.041");
    EXPECT_EQ(r.record->bandwidth, 140U);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kBandwidth, "1.41"}}));
    // 1.401 MHz at 0.20 is 1.1675 MS/s: stored rounded half up, shown 1.167.
    r = edit(kBandwidth, "1.401", {"DVB_S2", "QPSK", "0.20"});
    EXPECT_EQ(r.record->symbolRate, 1168);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kSymbolRate, "1.167"}}));
}

struct CodeRateCase {
    std::int32_t signalType;
    std::int32_t modulation;
    const char* text;
    std::optional<std::int32_t> index;
};

TEST_F(ChannelCellRules, CodeRateByTypeAndModulation)
{
    const std::vector<CodeRateCase> cases{
        {1, 1, "1/2", 0},   {1, 1, "2/3", 1},  {1, 1, "3/4", 2},  {1, 1, "5/6", 3},   {1, 1, "7/8", 4},
        {1, 1, "4/5", {}},  {1, 1, "3/5", {}}, {1, 0, "3/4", 2},  {2, 1, "1/2", 5},   {2, 1, "3/5", 6},
        {2, 1, "2/3", 7},   {2, 1, "3/4", 8},  {2, 1, "4/5", 9},  {2, 1, "5/6", 10},  {2, 1, "8/9", 11},
        {2, 1, "9/10", 12}, {2, 0, "1/2", 5},  {2, 0, "4/5", 9},  {2, 0, "3/5", 13},  {2, 0, "2/3", 14},
        {2, 0, "3/4", 15},  {2, 0, "5/6", 16}, {2, 0, "8/9", 17}, {2, 0, "9/10", 18}, {2, 1, "7/8", {}},
        {0, 1, "1/2", {}},  {0, 1, "---", {}}, {5, 1, "1/2", {}},
    };
    for (const auto& c : cases) {
        tp.signalType = c.signalType;
        tp.modulation = c.modulation;
        tp.codeRate = 3;
        const auto r = edit(kCodeRate, c.text);
        if (c.index) {
            ASSERT_TRUE(r.record.has_value()) << c.signalType << ' ' << c.text;
            EXPECT_EQ(r.record->codeRate, *c.index) << c.signalType << ' ' << c.modulation << ' ' << c.text;
        } else {
            expectNothingStored(r);
        }
    }
}

TEST_F(ChannelCellRules, EightPskSetsCodeRateThreeFifthsAndQpskKeepsIt)
{
    tp.signalType = 2;
    tp.codeRate = 8;
    auto r = edit(kModulation, "8PSK", {"DVB_S2", "QPSK", "0.35"});
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->modulation, 0);
    EXPECT_EQ(r.record->codeRate, 13);
    EXPECT_EQ(r.cells, (std::vector<CellText>{{kCodeRate, "3/5"}}));

    tp = *r.record;
    r = edit(kModulation, "QPSK", {"DVB_S2", "8PSK", "0.35"});
    ASSERT_TRUE(r.record.has_value());
    EXPECT_EQ(r.record->modulation, 1);
    EXPECT_EQ(r.record->codeRate, 13);
    EXPECT_TRUE(r.cells.empty());

    expectNothingStored(edit(kModulation, "---"));
}

struct ChoiceStoreCase {
    int column;
    const char* text;
    std::optional<std::int32_t> value;
};

TEST_F(ChannelCellRules, DropDownFields)
{
    const std::vector<ChoiceStoreCase> cases{
        {kRollOff, "0.35", 0},
        {kRollOff, "0.25", 1},
        {kRollOff, "0.20", 2},
        {kRollOff, "---", {}},
        {kPolarization, "HORIZ/LEFT", 0},
        {kPolarization, "VERT/RIGHT", 1},
        {kPolarization, "OFF", 2},
        {kPolarization, "", {}},
        {kLnbLo, "Auto", 2},
        {kLnbLo, "Low", 0},
        {kLnbLo, "High", 1},
        {kLnbLo, "auto", {}},
        {kPilots, "ON", 1},
        {kPilots, "OFF", 0},
        {kPilots, "---", {}},
    };
    for (const auto& c : cases) {
        tp.rollOff = tp.polarization = tp.lnbLo = tp.pilots = 7;
        const auto r = edit(c.column, c.text);
        if (!c.value) {
            expectNothingStored(r);
            continue;
        }
        ASSERT_TRUE(r.record.has_value()) << c.column << ' ' << c.text;
        const auto& rec = *r.record;
        const std::int32_t got = c.column == kRollOff        ? rec.rollOff
                                 : c.column == kPolarization ? rec.polarization
                                 : c.column == kLnbLo        ? rec.lnbLo
                                                             : rec.pilots;
        EXPECT_EQ(got, *c.value) << c.column << ' ' << c.text;
        EXPECT_TRUE(r.accepted);
        EXPECT_FALSE(r.refreshList);
    }
}
