#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/model/plan_list.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "ui/lists/orbitune_list.h"
#include "ui/pictures/sky_view.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/plan_history.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace std::chrono;

namespace {

// Astra at 19.2E and Galaxy at 97.0W.
PlanList twoSatellites()
{
    PlanList plans;
    auto astra = makePlan("Astra", 1);
    astra.longitude = 19.2F;
    astra.isEast = 1;
    auto galaxy = makePlan("Galaxy", 1, 2);
    galaxy.longitude = 97.0F;
    galaxy.isEast = 0;
    plans.append(astra);
    plans.append(galaxy);
    return plans;
}

void type(QLineEdit& edit, const char* text)
{
    edit.clear();
    QTest::keyClicks(&edit, QString::fromUtf8(text));
    QTest::keyClick(&edit, Qt::Key_Return);
}

QStringList rowTexts(QTableWidget& table, int row)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column)
        texts.append(table.item(row, column)->text());
    return texts;
}

class SkyViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.setDay(year{2026} / March / 1);
        view.show();
    }

    PlanList plans = twoSatellites();
    SkyView view{plans, Language::English};
};

TEST_F(SkyViewTest, ATypedSiteGivesEachPlansPointing)
{
    EXPECT_TRUE(view.table().rowCount() == 0);
    QSignalSpy chosen(&view, &SkyView::siteChosen);
    type(view.latitudeEdit(), "52.5N");
    type(view.longitudeEdit(), "13.4");
    ASSERT_EQ(view.site(), (Site{52.5, 13.4}));
    ASSERT_EQ(chosen.count(), 1);
    ASSERT_EQ(view.table().rowCount(), 2);
    const double magnetic = *view.pointings()[0].magneticAzimuth;
    EXPECT_NEAR(magnetic, 172.7 - view.declination().degrees, 0.05);
    EXPECT_EQ(rowTexts(view.table(), 0),
              (QStringList{QStringLiteral("Astra"), QStringLiteral("19.2E"), QStringLiteral("172.7"),
                           QString::fromStdString(pointing_text::angleText(magnetic)), QStringLiteral("29.7"),
                           QStringLiteral("-4.5")}));
    EXPECT_EQ(view.table().item(1, SkyView::kElevation)->text(), QStringLiteral("-20.4 (below the horizon)"));

    // The current plan's row is bold; a wrong latitude is named and changes
    // nothing.
    view.showPlan(plans.at(1).id);
    EXPECT_TRUE(view.table().item(1, 0)->font().bold());
    EXPECT_FALSE(view.table().item(0, 0)->font().bold());
    type(view.latitudeEdit(), "95N");
    EXPECT_EQ(view.problemLabel().text(),
              QStringLiteral("95N is not a latitude: degrees from 90S to 90N, such as 52.5N or -33.9"));
    EXPECT_EQ(view.site(), (Site{52.5, 13.4}));
    EXPECT_EQ(chosen.count(), 1);
}

TEST_F(SkyViewTest, CitiesAreChosenAddedAndRemoved)
{
    ASSERT_EQ(view.cityBox().count(), 8);
    view.cityBox().setCurrentIndex(7);
    emit view.cityBox().activated(7);
    EXPECT_EQ(view.site(), (Site{40.71, -74.01}));
    EXPECT_EQ(view.latitudeEdit().text(), QStringLiteral("40.71N"));

    QSignalSpy changed(&view, &SkyView::userCitiesChanged);
    type(view.latitudeEdit(), "-1.29");
    type(view.longitudeEdit(), "36.82E");
    view.cityBox().setEditText(QStringLiteral("Nairobi"));
    QTest::mouseClick(&view.addCityButton(), Qt::LeftButton);
    EXPECT_EQ(view.userCities(), (std::vector<NamedSite>{{"Nairobi", {-1.29, 36.82}}}));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(view.cityBox().itemText(8), QStringLiteral("Nairobi"));
    EXPECT_EQ(view.cityBox().currentIndex(), 8);

    // A known city cannot be removed; an added one can.
    view.cityBox().setCurrentIndex(0);
    QTest::mouseClick(&view.removeCityButton(), Qt::LeftButton);
    EXPECT_EQ(view.cityBox().count(), 9);
    view.cityBox().setCurrentIndex(8);
    QTest::mouseClick(&view.removeCityButton(), Qt::LeftButton);
    EXPECT_TRUE(view.userCities().empty());
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(SkyViewTest, NoMagneticAzimuthOutsideTheModelsYears)
{
    view.setSite(Site{52.5, 13.4});
    view.setDay(year{2030} / January / 1);
    EXPECT_FALSE(view.pointings()[0].magneticAzimuth);
    EXPECT_EQ(view.table().item(0, SkyView::kMagnetic)->text(), QStringLiteral("-"));
    EXPECT_EQ(view.problemLabel().text(), QStringLiteral("The World Magnetic Model 2025 holds from 2025-01-01 to "
                                                         "2029-12-31, not on 2030-01-01: no magnetic azimuth"));
    EXPECT_FALSE(view.problemLabel().isHidden());
    view.setDay(year{2029} / December / 31);
    EXPECT_TRUE(view.pointings()[0].magneticAzimuth);
    EXPECT_TRUE(view.problemLabel().isHidden());
}

// The editor keeps the site, the cities added and the columns hidden.
TEST(SkyViewSettings, TheEditorKeepsSiteCitiesAndHiddenColumns)
{
    TempDir dir;
    const QString file = QString::fromStdString((dir.path() / "settings.ini").string());
    PlanList plans = twoSatellites();
    ScriptedPrompts prompts;
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    {
        AppSettings settings(file);
        EXPECT_FALSE(settings.site());
        CMainFrame frame(plans, link, prompts, settings, Language::English);
        SkyView& view = frame.skyView();
        type(view.latitudeEdit(), "33.87S");
        type(view.longitudeEdit(), "151.21E");
        view.cityBox().setEditText(QStringLiteral("Home"));
        QTest::mouseClick(&view.addCityButton(), Qt::LeftButton);
        view.setHiddenColumns({SkyView::kMagnetic, SkyView::kSkew});
        emit view.hiddenColumnsChanged(view.hiddenColumns());
    }
    {
        AppSettings settings(file);
        CMainFrame frame(plans, link, prompts, settings, Language::Chinese);
        SkyView& view = frame.skyView();
        EXPECT_EQ(view.site(), (Site{-33.87, 151.21}));
        EXPECT_EQ(view.latitudeEdit().text(), QStringLiteral("33.87S"));
        EXPECT_EQ(view.userCities(), (std::vector<NamedSite>{{"Home", {-33.87, 151.21}}}));
        EXPECT_EQ(view.cityBox().itemText(0), QStringLiteral("柏林"));
        EXPECT_TRUE(view.table().isColumnHidden(SkyView::kMagnetic));
        EXPECT_FALSE(view.table().isColumnHidden(SkyView::kElevation));
    }
    // Values that are not sites are left out.
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Pointing/Site"), QStringLiteral("91,13"));
        raw.setValue(QStringLiteral("Pointing/Cities/1/Site"), QStringLiteral("north"));
    }
    AppSettings settings(file);
    EXPECT_FALSE(settings.site());
    EXPECT_TRUE(settings.userCities().empty());
}

// The plan pane works out its pointing columns from the sky view's site, and
// follows a change to a plan and its undo; the columns the user hides, from
// the header's menu or with Pointing Columns, stay hidden after a restart.
TEST(SkyViewSettings, ThePlanPaneFollowsTheSiteAndKeepsItsHiddenPointingColumns)
{
    TempDir dir;
    const QString file = QString::fromStdString((dir.path() / "settings.ini").string());
    PlanList plans = twoSatellites();
    ScriptedPrompts prompts;
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    constexpr int first = COrbituneList::kFirstPointingColumn;
    {
        AppSettings settings(file);
        CMainFrame frame(plans, link, prompts, settings, Language::English);
        frame.planPane().RefreshPlanList();
        COrbituneSortComboListCtrl& list = frame.planPane().listControl();
        EXPECT_EQ(list.cellText(0, first), QString());
        type(frame.skyView().latitudeEdit(), "52.5N");
        type(frame.skyView().longitudeEdit(), "13.4E");
        EXPECT_EQ(list.cellText(0, first), QStringLiteral("172.7"));
        frame.history().make(QStringLiteral("Longitude"), [&plans] { plans.at(0).longitude = 97.0F; });
        EXPECT_EQ(list.cellText(0, first + 4), QStringLiteral("No"));
        frame.history().stack().undo();
        EXPECT_EQ(list.cellText(0, first + 4), QStringLiteral("Yes"));

        // Pointing Columns hides them all, then shows them all.
        QAction* pointingColumns = frame.ribbon().commandAction(cmd::kShowPointingColumns);
        EXPECT_TRUE(pointingColumns->isChecked());
        pointingColumns->trigger();
        EXPECT_TRUE(list.isColumnHidden(first) && list.isColumnHidden(first + 4));
        EXPECT_FALSE(pointingColumns->isChecked());
        pointingColumns->trigger();
        EXPECT_EQ(frame.planPane().hiddenPointingColumns(), std::vector<int>{});

        // The header's menu: a ticked entry per pointing column.
        emit list.horizontalHeader()->customContextMenuRequested(QPoint(4, 4));
        auto* menu = list.findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 5);
        EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Magnetic Azimuth"));
        menu->actions()[1]->trigger();
        menu->close();
        EXPECT_TRUE(list.isColumnHidden(first + 1));
        EXPECT_FALSE(list.isColumnHidden(first));
        EXPECT_TRUE(pointingColumns->isChecked());
    }
    AppSettings settings(file);
    ScriptedPrompts chinese(Language::Chinese);
    CMainFrame frame(plans, link, chinese, settings, Language::Chinese);
    frame.planPane().RefreshPlanList();
    COrbituneSortComboListCtrl& list = frame.planPane().listControl();
    EXPECT_TRUE(list.isColumnHidden(first + 1));
    EXPECT_FALSE(list.isColumnHidden(first + 3));
    EXPECT_EQ(list.cellText(0, first), QStringLiteral("172.7"));
    EXPECT_EQ(list.cellText(1, first + 4), QStringLiteral("否"));
    EXPECT_EQ(list.model()->headerData(first + 3, Qt::Horizontal).toString(), QStringLiteral("LNB偏转角"));
}

} // namespace
