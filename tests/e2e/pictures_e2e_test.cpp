#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/pictures/band_canvas.h"
#include "core/pictures/band_layout.h"
#include "core/rules/model_checks.h"
#include "e2e/editor_steps.h"
#include "e2e/editor_views.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

namespace {

// One plan at 19.2E with three TPs far apart on the band: 10900, 11500 and
// 12200 MHz.
CComonOrbitune astra()
{
    CComonOrbitune plan = makePlan("Astra", 3);
    plan.longitude = 19.2F;
    plan.isEast = 1;
    plan.channels[0].frequency = 1090000;
    plan.channels[1].frequency = 1150000;
    plan.channels[2].frequency = 1220000;
    return plan;
}

// The editor showing the Astra plan's TPs.
struct Fixture {
    EditorSession editor;
    CComonOrbitune plan = astra();

    bool start()
    {
        const auto file = editor.folder().file("astra.gnr");
        PlanList plans;
        plans.append(plan);
        return editor.failure().empty() && writeGeneralFile(file, allPlans(plans)).ok() &&
               editor.start({.files = {file.string()}}) && steps::clickPlanCell(editor, 0, "Plan Name") &&
               editor.waitFor("table cell", "TP3").has_value();
    }
};

// The dock of that title shows.
bool shows(const AccessibleNode& windows, const std::string& title)
{
    return windows.find([&](const AccessibleNode& n) { return n.showing && n.role == "frame" && n.name == title; }) !=
           nullptr;
}

// Where the band picture draws a TP's bar, on the screen: worked out from the
// picture's place and size with the layout the editor draws from.
std::optional<std::pair<int, int>> barCentre(const EditorSession& editor, const CComonOrbitune& plan, int tp)
{
    const auto picture = editor.waitFor([](const AccessibleNode& n) {
        return n.showing && n.role == "filler" && n.name == "Band Picture" && n.rect.height > 60;
    });
    if (!picture)
        return std::nullopt;
    const BandLayout layout = layOutBand(plan);
    const BandCanvas canvas(layout, picture->rect.width, picture->rect.height, layout.span);
    for (const BandBar& bar : layout.bars) {
        if (bar.id != plan.channels[static_cast<std::size_t>(tp)].id)
            continue;
        const auto at = canvas.barRect(bar);
        if (!at)
            return std::nullopt;
        return std::pair{picture->rect.x + static_cast<int>(at->x + at->width / 2.0),
                         picture->rect.y + static_cast<int>(at->y + at->height / 2.0)};
    }
    return std::nullopt;
}

// Gives the key that moves the focus to a ribbon button and waits for it to
// have the focus.
bool focusButton(const EditorSession& editor, const std::string& key, const std::string& label)
{
    editor.input().key(key);
    return editor.waitFor([&](const AccessibleNode& n) { return n.focused && n.name == label; }).has_value();
}

// Presses a View tab button from the keyboard: the key that moves the focus
// to it, then Space.
bool pressViewButton(const EditorSession& editor, const std::string& key, const std::string& label)
{
    if (!focusButton(editor, key, label))
        return false;
    editor.input().key("space");
    return true;
}

bool tpSelected(const AccessibleNode& windows, std::size_t row)
{
    const auto tps = tpList(windows);
    return tps && row < tps->rows.size() && tps->cell(row, "TP Name").selected;
}

TEST(PicturesE2e, TheViewTabShowsAndHidesThePicturesAndARestartKeepsThem)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.failure() << f.editor.log();
    ASSERT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return shows(w, "Band Picture"); }));
    EXPECT_FALSE(shows(f.editor.windows(), "Sky View"));

    // Alt+V puts the focus on Band Picture, Space hides it; Tab and Space
    // show Sky View.
    ASSERT_TRUE(pressViewButton(f.editor, "alt+v", "Band Picture"));
    ASSERT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return !shows(w, "Band Picture"); }));
    ASSERT_TRUE(pressViewButton(f.editor, "Tab", "Sky View"));
    ASSERT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return shows(w, "Sky View"); }));
    EXPECT_TRUE(f.editor.waitFor("push button", "Add City"));

    f.editor.input().closeActiveWindow();
    ASSERT_EQ(f.editor.waitForExit(), 0) << f.editor.log();
    ASSERT_TRUE(f.editor.start({})) << f.editor.log();
    EXPECT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return shows(w, "Sky View"); }));
    const AccessibleNode windows = f.editor.windows();
    EXPECT_FALSE(shows(windows, "Band Picture"));
    // The View tab's button says so too, on its page behind the Home tab.
    const AccessibleNode* skyButton =
        windows.find([](const AccessibleNode& n) { return n.role == "check box" && n.name == "Sky View"; });
    ASSERT_NE(skyButton, nullptr);
    EXPECT_TRUE(skyButton->checked);

    // And back again.
    ASSERT_TRUE(pressViewButton(f.editor, "alt+v", "Band Picture"));
    EXPECT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return shows(w, "Band Picture"); }));
}

TEST(PicturesE2e, AClickOnABarSelectsItsTpAndAnEditMovesTheBar)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.failure() << f.editor.log();
    const auto second = barCentre(f.editor, f.plan, 1);
    ASSERT_TRUE(second);
    f.editor.input().click(second->first, second->second);
    ASSERT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return tpSelected(w, 1); }));
    EXPECT_FALSE(tpSelected(f.editor.windows(), 0));

    // 11500 MHz becomes 12500 MHz in the list: a click on a cell of the
    // current row opens its edit box.
    ASSERT_TRUE(steps::clickTpCell(f.editor, 1, "Freq(MHz)"));
    f.editor.input().key("ctrl+a");
    f.editor.input().type("12500");
    f.editor.input().key("Return");
    ASSERT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) {
        const auto tps = tpList(w);
        return tps && tps->rows.size() == 3 && tps->text(1, "Freq(MHz)") == "12500";
    }));

    // The first TP's bar, then the second one's old place, where nothing is
    // now: the first stays selected.
    const auto first = barCentre(f.editor, f.plan, 0);
    ASSERT_TRUE(first);
    f.editor.input().click(first->first, first->second);
    ASSERT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return tpSelected(w, 0); }));
    f.editor.input().click(second->first, second->second);
    EXPECT_FALSE(f.editor.waitUntil([](const AccessibleNode& w) { return tpSelected(w, 1); }, std::chrono::seconds(2)));

    CComonOrbitune edited = f.plan;
    edited.channels[1].frequency = 1250000;
    const auto moved = barCentre(f.editor, edited, 1);
    ASSERT_TRUE(moved);
    EXPECT_GT(moved->first, second->first);
    f.editor.input().click(moved->first, moved->second);
    EXPECT_TRUE(f.editor.waitUntil([](const AccessibleNode& w) { return tpSelected(w, 1) && !tpSelected(w, 0); }));
}

// From 52.5N 13.4E, 19.2E lies at azimuth 172.7, elevation 29.7, skew -4.5.
TEST(PicturesE2e, ASiteTypedInTheSkyViewFillsThePlanPanesPointingColumns)
{
    Fixture f;
    ASSERT_TRUE(f.start()) << f.editor.failure() << f.editor.log();
    const auto plans = planList(f.editor.windows());
    ASSERT_TRUE(plans);
    EXPECT_EQ(plans->text(0, "Azimuth"), "");

    ASSERT_TRUE(focusButton(f.editor, "alt+v", "Band Picture"));
    ASSERT_TRUE(pressViewButton(f.editor, "Tab", "Sky View"));
    const auto latitude = f.editor.waitFor("text", "Latitude");
    ASSERT_TRUE(latitude);
    f.editor.input().click(*latitude);
    f.editor.input().key("ctrl+a");
    f.editor.input().type("52.5N");
    f.editor.input().key("Tab");
    f.editor.input().key("ctrl+a");
    f.editor.input().type("13.4E");
    f.editor.input().key("Return");
    std::optional<ListView> shown;
    EXPECT_TRUE(f.editor.waitUntil([&](const AccessibleNode& w) {
        shown = planList(w);
        return shown && !shown->rows.empty() && shown->text(0, "Azimuth") == "172.7";
    }));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text(0, "Elevation"), "29.7");
    EXPECT_EQ(shown->text(0, "LNB Skew"), "-4.5");
    EXPECT_EQ(shown->text(0, "Above Horizon"), "Yes");
    EXPECT_NE(shown->text(0, "Magnetic Azimuth"), "");
}

} // namespace
