#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/model/plan_list.h"
#include "core/rules/channel_cell_rules.h"
#include "support/list_driving.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/pictures/band_picture.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/plan_history.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Two plans of three TPs each at 11000, 11500 and 12000 MHz.
PlanList spreadPlans()
{
    PlanList plans = makePlanList(2, 3);
    for (CComonOrbitune& plan : plans)
        for (int i = 0; i < 3; ++i)
            plan.channels[static_cast<std::size_t>(i)].frequency = static_cast<std::uint32_t>(1100000 + 50000 * i);
    return plans;
}

class BandPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>(plans, link, prompts, settings, Language::English);
        frame->resize(1200, 800);
        showActive(*frame);
        frame->planPane().RefreshPlanList();
    }

    BandPicture& picture() { return frame->bandPicture(); }
    CSortComboListCtrl& channelList() { return frame->channelPane().listControl(); }
    std::vector<double> centres()
    {
        std::vector<double> mhz;
        for (const BandBar& bar : picture().layout().bars)
            mhz.push_back(bar.centreMHz);
        return mhz;
    }
    QPoint centreOf(int bar)
    {
        const auto rect = picture().canvas().barRect(picture().layout().bars[static_cast<std::size_t>(bar)]);
        EXPECT_TRUE(rect);
        return rect ? QPoint(static_cast<int>(rect->x + rect->width / 2), static_cast<int>(rect->y + rect->height / 2))
                    : QPoint();
    }

    TempDir dir;
    PlanList plans = spreadPlans();
    ScriptedPrompts prompts;
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    AppSettings settings{QString::fromStdString((dir.path() / "settings.ini").string())};
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(BandPictureTest, FollowsTheCurrentPlanItsEditsAndUndo)
{
    EXPECT_FALSE(picture().plan());
    clickCell(frame->planPane().listControl(), 1, 0);
    EXPECT_EQ(picture().plan(), plans.at(1).id);
    EXPECT_EQ(centres(), (std::vector<double>{11000.0, 11500.0, 12000.0}));

    editCell(channelList(), 1, channel_column::kFrequency, QStringLiteral("11010"));
    EXPECT_EQ(centres(), (std::vector<double>{11000.0, 11010.0, 12000.0}));
    EXPECT_EQ(picture().layout().bars[0].overlaps, std::vector<int>{1});
    frame->history().stack().undo();
    EXPECT_EQ(centres(), (std::vector<double>{11000.0, 11500.0, 12000.0}));
    frame->history().stack().redo();
    EXPECT_EQ(centres()[1], 11010.0);

    // Deleting the plan drawn leaves the picture empty.
    prompts.answers.push_back(true);
    frame->planPane().deleteSelected();
    EXPECT_TRUE(picture().layout().bars.empty());
}

TEST_F(BandPictureTest, SelectedRowsHighlightBarsAndAClickedBarSelectsItsRow)
{
    clickCell(frame->planPane().listControl(), 0, 0);
    const auto used = plans.at(0).usedChannels();
    clickCell(channelList(), 0, 1);
    clickCell(channelList(), 2, 1, Qt::ControlModifier);
    EXPECT_EQ(picture().selectedTps(), (std::set<Guid>{used[0].id, used[2].id}));

    QTest::mouseClick(&picture(), Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(channelList().selectedIds(), std::vector<Guid>{used[1].id});
    EXPECT_EQ(picture().selectedTps(), std::set<Guid>{used[1].id});

    // A sort moves the rows, not the selection or the bars.
    clickHeader(channelList(), channel_column::kFrequency);
    clickHeader(channelList(), channel_column::kFrequency);
    EXPECT_EQ(picture().selectedTps(), std::set<Guid>{used[1].id});
    EXPECT_EQ(centres(), (std::vector<double>{11000.0, 11500.0, 12000.0}));
}

// Moving TPs, which takes their selection away and gives it back, changes
// nothing the picture shows: it is not painted again. An edit is.
TEST_F(BandPictureTest, MovedTpsPaintNothingAndAnEditPaints)
{
    clickCell(frame->planPane().listControl(), 0, 0);
    clickCell(channelList(), 0, 1);
    clickCell(channelList(), 1, 1, Qt::ShiftModifier);
    const QImage before = picture().grab().toImage();
    PaintCounter counter{&picture()};

    QTest::keyClick(&channelList(), Qt::Key_Down, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(columnTexts(channelList(), channel_column::kFrequency), textList({"12000", "11000", "11500"}));
    EXPECT_EQ(picture().selectedTps().size(), 2U);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(picture().grab().toImage(), before);

    counter.paints = 0;
    editCell(channelList(), 0, channel_column::kFrequency, QStringLiteral("12100"));
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
}

TEST_F(BandPictureTest, WheelZoomsAboutThePointerDragPansDoubleClickShowsAll)
{
    clickCell(frame->planPane().listControl(), 0, 0);
    const MHzRange whole = picture().visibleRange();
    const QPointF at(picture().canvas().xOf(11500.0), centreOf(1).y());
    QWheelEvent wheel(at, picture().mapToGlobal(at), {}, {0, 240}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&picture(), &wheel);
    const MHzRange zoomed = picture().visibleRange();
    EXPECT_NEAR(zoomed.high - zoomed.low, (whole.high - whole.low) * 0.64, 1e-6);
    EXPECT_NEAR(picture().canvas().mhzAt(at.x()), 11500.0, 1e-6);

    // Dragging 100 pixels to the left shows what lay to the right.
    const double perPixel = (zoomed.high - zoomed.low) / picture().canvas().plotArea().width;
    const QPoint from = at.toPoint() + QPoint(0, 30);
    QTest::mousePress(&picture(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&picture(), from - QPoint(50, 0));
    QTest::mouseMove(&picture(), from - QPoint(100, 0));
    QTest::mouseRelease(&picture(), Qt::LeftButton, {}, from - QPoint(100, 0));
    EXPECT_NEAR(picture().visibleRange().low, zoomed.low + 100.0 * perPixel, 1e-6);
    // A drag that ends on a bar selects nothing.
    EXPECT_TRUE(channelList().selectedIds().empty());

    QTest::mouseDClick(&picture(), Qt::LeftButton, {}, from);
    EXPECT_EQ(picture().visibleRange(), whole);
}

TEST_F(BandPictureTest, TheViewButtonHidesTheDockAndTheWindowStateKeepsIt)
{
    QAction* show = frame->findChild<QAction*>(QStringLiteral("ID_VIEW_BAND_PICTURE"));
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(show->isChecked());
    EXPECT_TRUE(frame->bandDock().isVisible());
    show->trigger();
    EXPECT_FALSE(frame->bandDock().isVisible());
    const QByteArray state = frame->saveState();

    CMainFrame again(plans, link, prompts, settings, Language::Chinese);
    again.restoreState(state);
    again.show();
    EXPECT_FALSE(again.bandDock().isVisible());
    EXPECT_FALSE(again.findChild<QAction*>(QStringLiteral("ID_VIEW_BAND_PICTURE"))->isChecked());
    EXPECT_EQ(again.bandDock().windowTitle(), QStringLiteral("频段图"));
    frame->bandDock().toggleViewAction()->trigger();
    EXPECT_TRUE(show->isChecked());
}

} // namespace
