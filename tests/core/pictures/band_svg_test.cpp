#include "core/pictures/band_canvas.h"
#include "core/pictures/band_svg.h"
#include "core/rules/decimal_text.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

namespace {

// A universal Ku plan: TP1 and TP2 overlap, TP2 is disabled DVB-S2, TP3 is
// set to the low oscillator above its reach.
CComonOrbitune kuPlan()
{
    auto plan = makePlan("Astra", 3);
    plan.lnbLow = 975000;
    plan.lnbHigh = 1060000;
    plan.channels[0].frequency = 1100000;
    plan.channels[0].bandwidth = 3000;
    plan.channels[1].frequency = 1102000;
    plan.channels[1].bandwidth = 3000;
    plan.channels[1].enabled = 0;
    plan.channels[1].signalType = stored(SignalType::DVB_S2);
    plan.channels[2].frequency = 1220000;
    plan.channels[2].lnbLo = stored(LnbLo::Low);
    return plan;
}

pugi::xml_document parsed(const std::string& svg)
{
    pugi::xml_document document;
    const auto result = document.load_string(svg.c_str());
    EXPECT_TRUE(result) << result.description() << "\n" << svg;
    return document;
}

TEST(BandSvg, DrawsEachTpWithItsMarksAndTheSwitch)
{
    const auto plan = kuPlan();
    const BandLayout layout = layOutBand(plan);
    const auto document = parsed(bandSvg(plan, layout, Language::English, 1000));
    const pugi::xml_node svg = document.child("svg");
    EXPECT_EQ(svg.attribute("width").as_int(), 1000);
    EXPECT_EQ(svg.attribute("height").as_int(), bandSvgHeight(layout));
    EXPECT_STREQ(svg.child_value("title"), "Astra  160.0E  LNB 9750.00/10600.00 MHz");

    const auto bars = svg.select_nodes("g[starts-with(@class, 'tp ')]");
    ASSERT_EQ(bars.size(), 3U);
    EXPECT_STREQ(bars[0].node().attribute("class").value(), "tp dvb-s overlapping");
    EXPECT_STREQ(bars[1].node().attribute("class").value(), "tp dvb-s2 disabled overlapping");
    EXPECT_STREQ(bars[2].node().attribute("class").value(), "tp dvb-s outside");
    EXPECT_EQ(std::string(bars[2].node().child_value("title")).find("TP Name: TP3\nEnable: Enable\n"), 0U);

    // Bars and the switch line where the canvas puts them.
    const BandCanvas canvas(layout, 1000, bandSvgHeight(layout), layout.span);
    const pugi::xml_node first = bars[0].node().child("rect");
    EXPECT_EQ(first.attribute("x").value(), decimal::formatFixed(canvas.xOf(10985.0), 1));
    EXPECT_EQ(first.attribute("width").value(), decimal::formatFixed(canvas.xOf(11015.0) - canvas.xOf(10985.0), 1));
    const pugi::xml_node switchLine = svg.select_node("line[@class='switch']").node();
    EXPECT_EQ(switchLine.attribute("x1").value(), decimal::formatFixed(canvas.xOf(11700.0), 1));
    EXPECT_EQ(svg.select_nodes("rect[@class='band']").size(), 2U);
    EXPECT_NE(std::string(bandSvg(plan, layout, Language::Chinese)).find("切换 11700 MHz"), std::string::npos);
}

TEST(BandSvg, NamesFromFilesCannotBreakTheDocument)
{
    auto plan = makePlan("x", 1);
    plan.name = {'<', '&', '"', '\x01', '\xE9', '>', '\0', '\0', '\0'};
    const auto document = parsed(bandSvg(plan, layOutBand(plan), Language::English));
    EXPECT_EQ(std::string(document.child("svg").child_value("title")).substr(0, 7), "<&\"?\xC3\xA9>");
}

} // namespace
