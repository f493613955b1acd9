#include "core/pictures/band_canvas.h"
#include "core/pictures/band_layout.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Tp {
    double mhz;
    double bandwidthMHz = 27.5;
    Polarization polarization = Polarization::HorizLeft;
    LnbLo oscillator = LnbLo::Auto;
};

// A plan of the given oscillators (MHz) and TPs, named TP1, TP2, ...
CComonOrbitune planOf(int lowMHz, int highMHz, std::initializer_list<Tp> tps)
{
    auto plan = makePlan("Sat", static_cast<int>(tps.size()));
    plan.lnbLow = lowMHz * 100;
    plan.lnbHigh = highMHz * 100;
    std::size_t slot = 0;
    for (const Tp& tp : tps) {
        SateChannel& channel = plan.channels[slot++];
        channel.frequency = static_cast<std::uint32_t>(tp.mhz * 100.0 + 0.5);
        channel.bandwidth = static_cast<std::uint32_t>(tp.bandwidthMHz * 100.0 + 0.5);
        channel.polarization = stored(tp.polarization);
        channel.lnbLo = stored(tp.oscillator);
    }
    return plan;
}

TEST(BandLayout, UniversalLnbSwitchesAt11700AndSplitsItsBand)
{
    const BandLayout layout = layOutBand(planOf(9750, 10600, {}));
    ASSERT_TRUE(layout.switchMHz);
    EXPECT_DOUBLE_EQ(*layout.switchMHz, 11700.0);
    ASSERT_EQ(layout.bands.size(), 2U);
    EXPECT_EQ(layout.bands[0].range, (MHzRange{10700.0, 11700.0}));
    EXPECT_EQ(layout.bands[0].oscillator, LnbLo::Low);
    EXPECT_EQ(layout.bands[1].range, (MHzRange{11700.0, 12750.0}));
    EXPECT_EQ(layout.bands[1].oscillator, LnbLo::High);
    // The span holds the bands with a 2 % margin each side.
    EXPECT_DOUBLE_EQ(layout.span.low, 10700.0 - 41.0);
    EXPECT_DOUBLE_EQ(layout.span.high, 12750.0 + 41.0);
}

TEST(BandLayout, SingleOscillatorsHaveNoSwitch)
{
    // A C-band LNB sits above its band.
    const BandLayout c = layOutBand(planOf(5150, 5150, {{3700}}));
    EXPECT_FALSE(c.switchMHz);
    ASSERT_EQ(c.bands.size(), 1U);
    EXPECT_EQ(c.bands[0].range, (MHzRange{3000.0, 4200.0}));
    EXPECT_FALSE(c.bars[0].outsideLnb);
    // A single Ku oscillator, and two C-band ones: no switch either.
    EXPECT_FALSE(layOutBand(planOf(10750, 10750, {})).switchMHz);
    const BandLayout dualC = layOutBand(planOf(5150, 5750, {}));
    EXPECT_FALSE(dualC.switchMHz);
    EXPECT_EQ(dualC.bands.size(), 2U);
    // An oscillator that brings no positive frequency in gives no band.
    EXPECT_FALSE(oscillatorReach(900.0));
    EXPECT_TRUE(layOutBand(planOf(0, 0, {})).bands.empty());
}

TEST(BandLayout, MarksTpsTheLnbDoesNotReceive)
{
    const BandLayout layout = layOutBand(planOf(9750, 10600,
                                                {
                                                    {10720}, // low band
                                                    {12000}, // Auto: high oscillator
                                                    {12000, 27.5, Polarization::VertRight, LnbLo::Low},  // 2250 MHz IF
                                                    {11800, 27.5, Polarization::VertRight, LnbLo::Low},  // 2050 MHz IF
                                                    {11600, 27.5, Polarization::VertRight, LnbLo::High}, // 1000 MHz IF
                                                    {11500, 27.5, Polarization::VertRight, LnbLo::High}, // 900 MHz IF
                                                    {3700},                                              // C band
                                                    {12800}, // above the high band
                                                }));
    std::vector<bool> outside;
    for (const BandBar& bar : layout.bars)
        outside.push_back(bar.outsideLnb);
    EXPECT_EQ(outside, (std::vector<bool>{false, false, true, false, false, true, true, true}));
    // The tooltip says what the oscillator the TP uses receives.
    const auto plan = planOf(9750, 10600, {{12000, 27.5, Polarization::HorizLeft, LnbLo::Low}});
    const auto lines = barDescription(plan, layOutBand(plan).bars[0], Language::English);
    EXPECT_EQ(lines.back(), "12000.00 MHz is not received with the plan's LNB, which receives 10700-11900 MHz for "
                            "this TP");
}

TEST(BandLayout, LanesByPolarizationAndMarksWithinALane)
{
    auto plan = planOf(9750, 10600,
                       {
                           {11000, 30.0, Polarization::HorizLeft},
                           {11020, 30.0, Polarization::HorizLeft},  // overlaps the first
                           {11040, 10.0, Polarization::HorizLeft},  // touches the second's edge only
                           {11000, 30.0, Polarization::VertRight},  // same frequency, other lane
                           {11000.5, 1.0, Polarization::HorizLeft}, // repeats the first
                       });
    const BandLayout twoLanes = layOutBand(plan);
    EXPECT_EQ(twoLanes.lanes, (std::vector<BandLane>{BandLane::HorizLeft, BandLane::VertRight}));
    EXPECT_EQ(twoLanes.bars[0].overlaps, (std::vector<int>{1, 4}));
    EXPECT_EQ(twoLanes.bars[1].overlaps, (std::vector<int>{0}));
    EXPECT_TRUE(twoLanes.bars[2].overlaps.empty());
    EXPECT_TRUE(twoLanes.bars[3].overlaps.empty());
    EXPECT_EQ(twoLanes.bars[4].repeats, 0);
    EXPECT_FALSE(twoLanes.bars[0].repeats);

    const auto lines = barDescription(plan, twoLanes.bars[0], Language::English);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Overlaps TP2, TP5"), lines.end());
    EXPECT_EQ(lines[3], "Freq(MHz): 11000.00");
    EXPECT_EQ(barDescription(plan, twoLanes.bars[4], Language::English).back(),
              "The same TP as TP 1 (TP1): the same polarization, frequencies less than 1 MHz apart");

    // A bar laid out before TPs were deleted names no TP that is not there.
    BandBar stale = twoLanes.bars[0];
    stale.overlaps = {1, 7};
    stale.repeats = 9;
    const auto staleLines = barDescription(plan, stale, Language::English);
    EXPECT_NE(std::find(staleLines.begin(), staleLines.end(), "Overlaps TP2, ?"), staleLines.end());
    EXPECT_EQ(staleLines.back().substr(0, 24), "The same TP as TP 10 (?)");

    // "OFF" and values the table does not name share a third lane.
    plan.channels[2].polarization = stored(Polarization::Off);
    plan.channels[3].polarization = 7;
    plan.channels[3].frequency = 1104000;
    const BandLayout threeLanes = layOutBand(plan);
    EXPECT_EQ(threeLanes.lanes.back(), BandLane::Other);
    EXPECT_EQ(threeLanes.bars[2].lane, BandLane::Other);
    EXPECT_EQ(threeLanes.bars[3].lane, BandLane::Other);
    EXPECT_EQ(threeLanes.bars[2].overlaps, (std::vector<int>{3}));
}

// Wider bars are drawn first, so a narrow one over them stays in sight; the
// TPs' order plays no part, so moving TPs draws the same picture.
TEST(BandLayout, DrawsWideBarsFirstWhateverTheTpsOrder)
{
    const std::initializer_list<Tp> tps = {
        {11010, 10.0}, {11000, 36.0}, {11005, 10.0}, {11500, 36.0, Polarization::VertRight}};
    const auto plan = planOf(9750, 10600, tps);
    const BandLayout layout = layOutBand(plan);
    const std::vector<std::size_t> order = drawOrder(layout);
    EXPECT_EQ(order, (std::vector<std::size_t>{1, 3, 2, 0}));

    const auto drawnLooks = [](const BandLayout& laidOut) {
        std::vector<BarLook> looks;
        for (const std::size_t index : drawOrder(laidOut))
            looks.push_back(barLook(laidOut.bars[index]));
        return looks;
    };
    auto moved = plan;
    std::reverse(moved.channels.begin(), moved.channels.begin() + 4);
    const BandLayout movedLayout = layOutBand(moved);
    EXPECT_NE(movedLayout.bars[0].centreMHz, layout.bars[0].centreMHz);
    EXPECT_EQ(drawnLooks(movedLayout), drawnLooks(layout));
}

TEST(BandLayout, ColoursBySystemAndEnabledState)
{
    auto plan = planOf(9750, 10600, {{11000}, {11100}, {11200}, {11300}});
    plan.channels[0].signalType = stored(SignalType::TV);
    plan.channels[1].signalType = stored(SignalType::DVB_S);
    plan.channels[2].signalType = stored(SignalType::DVB_S2);
    plan.channels[3].signalType = 9; // shown as DVB_S2 by the list
    plan.channels[1].enabled = 0;
    const BandLayout layout = layOutBand(plan);
    EXPECT_EQ(layout.bars[0].system, BandSystem::TV);
    EXPECT_EQ(layout.bars[1].system, BandSystem::DvbS);
    EXPECT_EQ(layout.bars[2].system, BandSystem::DvbS2);
    EXPECT_EQ(layout.bars[3].system, BandSystem::DvbS2);
    EXPECT_FALSE(layout.bars[1].enabled);
    EXPECT_TRUE(layout.bars[0].enabled);
    EXPECT_EQ(layout.bars[2].id, plan.channels[2].id);
}

TEST(BandCanvas, PlacesBarsAndFindsTheOneUnderAPoint)
{
    // A wide TP with a narrow one inside it, and one far off.
    const auto plan = planOf(9750, 10600, {{11000, 36.0}, {11005, 0.5}, {12500, 27.5, Polarization::VertRight}});
    const BandLayout layout = layOutBand(plan);
    const double width = BandCanvas::kLabelWidth + BandCanvas::kRightMargin + 1000.0;
    const BandCanvas canvas(layout, width, 200.0, {10900.0, 11900.0});
    EXPECT_DOUBLE_EQ(canvas.xOf(10900.0), BandCanvas::kLabelWidth);
    EXPECT_DOUBLE_EQ(canvas.xOf(11400.0), BandCanvas::kLabelWidth + 500.0);
    EXPECT_DOUBLE_EQ(canvas.mhzAt(BandCanvas::kLabelWidth + 250.0), 11150.0);

    const auto wide = canvas.barRect(layout.bars[0]);
    ASSERT_TRUE(wide);
    EXPECT_DOUBLE_EQ(wide->x, canvas.xOf(10982.0));
    EXPECT_DOUBLE_EQ(wide->width, 36.0);
    // Half a megahertz is half a pixel: drawn at the least width.
    const auto narrow = canvas.barRect(layout.bars[1]);
    ASSERT_TRUE(narrow);
    EXPECT_DOUBLE_EQ(narrow->width, BandCanvas::kMinBarWidth);
    const double y = wide->y + wide->height / 2.0;
    EXPECT_EQ(canvas.barAt(canvas.xOf(11005.0), y), 1);
    EXPECT_EQ(canvas.barAt(canvas.xOf(10990.0), y), 0);
    EXPECT_FALSE(canvas.barAt(canvas.xOf(11100.0), y));
    // The VERT/RIGHT lane is the second one; at 12500 MHz the TP is out of view.
    EXPECT_FALSE(canvas.barRect(layout.bars[2]));
    EXPECT_GT(canvas.laneRect(1).y, wide->bottom());
}

// A narrow picture leaves out the legend's last items rather than write them
// over the title.
TEST(BandCanvas, LegendKeepsClearOfTheTitle)
{
    const BandLayout layout = layOutBand(planOf(9750, 10600, {{11000}}));
    const std::vector<double> items(7, 50.0);
    EXPECT_EQ(BandCanvas(layout, 1000.0, 200.0, layout.span).legendItemsThatFit(300.0, items), 7U);
    // 400 - 12 (margin) - 100 (title) - 12 (gap) leaves 276: five items.
    EXPECT_EQ(BandCanvas(layout, 400.0, 200.0, layout.span).legendItemsThatFit(100.0, items), 5U);
    EXPECT_EQ(BandCanvas(layout, 300.0, 200.0, layout.span).legendItemsThatFit(400.0, items), 0U);
}

TEST(BandCanvas, ZoomKeepsThePointUnderTheWheelAndStaysWithinTheSpan)
{
    const MHzRange limits{10000.0, 13000.0};
    const MHzRange zoomed = zoomedRange({11000.0, 12000.0}, 11250.0, 0.5, limits);
    EXPECT_DOUBLE_EQ(zoomed.low, 11125.0);
    EXPECT_DOUBLE_EQ(zoomed.high, 11625.0);
    EXPECT_EQ(zoomedRange({11000.0, 12000.0}, 11500.0, 100.0, limits), limits);
    const MHzRange deep = zoomedRange({11000.0, 11000.5}, 11000.25, 0.1, limits);
    EXPECT_DOUBLE_EQ(deep.high - deep.low, kMinVisibleMHz);
    EXPECT_EQ(pannedRange({11000.0, 12000.0}, 5000.0, limits), (MHzRange{12000.0, 13000.0}));
    EXPECT_EQ(pannedRange({11000.0, 12000.0}, -100.0, limits), (MHzRange{10900.0, 11900.0}));
}

TEST(BandLayout, AxisTicksAreRoundSteps)
{
    EXPECT_EQ(axisTicks({10659.0, 12791.0}, 12),
              (std::vector<double>{10800, 11000, 11200, 11400, 11600, 11800, 12000, 12200, 12400, 12600}));
    EXPECT_EQ(axisTicks({10999.9, 11002.1}, 5), (std::vector<double>{11000.0, 11000.5, 11001.0, 11001.5, 11002.0}));
    EXPECT_TRUE(axisTicks({5.0, 5.0}, 10).empty());
    EXPECT_EQ(mhzText(11000.5, 0.5), "11000.5");
    EXPECT_EQ(mhzText(11000.0, 200.0), "11000");
}

} // namespace
