#include "core/rules/channel_cell_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> rowTexts(const SateChannel& tp)
{
    std::vector<std::string> texts;
    for (int column = 1; column <= 12; ++column)
        texts.push_back(ChannelCellText(tp, column));
    return texts;
}

TEST(ChannelCellTexts, AddChDefaultsShowAsTheNewRow)
{
    const SateChannel tp = SateChannel::withAddDefaults(1, "TP1");
    EXPECT_EQ(rowTexts(tp), (std::vector<std::string>{"TP1", "Enable", "DVB_S", "3500", "13.50", "10.000", "1/2",
                                                      "QPSK", "0.35", "HORIZ/LEFT", "Auto", "OFF"}));
}

TEST(ChannelCellTexts, TvRowShowsDashesButItsPolarization)
{
    SateChannel tp = SateChannel::withAddDefaults(1, "T");
    tp.signalType = 0;
    tp.enabled = 0;
    tp.polarization = 1;
    tp.lnbLo = 7;
    EXPECT_EQ(rowTexts(tp), (std::vector<std::string>{"T", "Disable", "TV", "3500", "13.50", "---", "---", "---", "---",
                                                      "VERT/RIGHT", "", "---"}));
    tp.polarization = 9;
    EXPECT_EQ(ChannelCellText(tp, 10), "---");
}

TEST(ChannelCellTexts, OutOfRangeValuesLeaveCellsEmptyOrDashed)
{
    SateChannel tp = SateChannel::withAddDefaults(1, "S");
    tp.codeRate = 5; // a DVB-S2 rate on a DVB-S row
    tp.modulation = 0;
    tp.rollOff = 3;
    tp.polarization = 3;
    EXPECT_EQ(ChannelCellText(tp, 7), "");
    EXPECT_EQ(ChannelCellText(tp, 8), "---");
    EXPECT_EQ(ChannelCellText(tp, 9), "---");
    EXPECT_EQ(ChannelCellText(tp, 10), "");

    tp.signalType = 2;
    tp.codeRate = 13;
    EXPECT_EQ(ChannelCellText(tp, 7), "3/5");
    tp.codeRate = 4;
    EXPECT_EQ(ChannelCellText(tp, 7), "");
    EXPECT_EQ(ChannelCellText(tp, 8), "8PSK");
    tp.modulation = 2;
    EXPECT_EQ(ChannelCellText(tp, 8), "");
    EXPECT_EQ(ChannelCellText(tp, 9), "");
    tp.pilots = 1;
    EXPECT_EQ(ChannelCellText(tp, 12), "ON");
    tp.signalType = 7; // any other type shows as DVB_S2
    EXPECT_EQ(ChannelCellText(tp, 3), "DVB_S2");
}

TEST(ChannelCellTexts, NumbersShowTheirStoredUnits)
{
    SateChannel tp = SateChannel::withAddDefaults(1, "N");
    tp.frequency = 1275099; // hundredths are stored but not shown
    tp.bandwidth = 435;
    tp.symbolRate = -1500;
    EXPECT_EQ(ChannelCellText(tp, 4), "12750");
    EXPECT_EQ(ChannelCellText(tp, 5), "4.35");
    EXPECT_EQ(ChannelCellText(tp, 6), "-1.500");
    tp.symbolRate = 45000;
    tp.bandwidth = 4294967295U;
    EXPECT_EQ(ChannelCellText(tp, 6), "45.000");
    EXPECT_EQ(ChannelCellText(tp, 5), "42949672.95");
}

} // namespace
