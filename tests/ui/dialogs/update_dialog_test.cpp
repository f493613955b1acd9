#include "ui/dialogs/update_dialog.h"

#include "core/model/value_tables.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

// A plan of 19.2E made a year ago, against today's source: 11000 H is gone,
// 11494 H has another symbol rate, 12000 V is new. The ticks say what Update
// takes; nothing changes in the list.
TEST(UpdateDialog, ShowsTheDifferencesAndTakesTheTickedOnes)
{
    TempDir dir;
    constexpr std::string_view kToday = R"(<satellites><sat name="Astra 1L" position="192">
  <transponder frequency="11494000" symbol_rate="22000000" polarization="0" fec_inner="3" system="0"/>
  <transponder frequency="12000000" symbol_rate="27500000" polarization="1" fec_inner="3" system="0"/>
</sat></satellites>)";
    writeBytes(dir.file("satellites.xml"), {kToday.begin(), kToday.end()});
    PlanList plans;
    CComonOrbitune old = makePlan("Astra1L", 2);
    old.longitude = 19.2F;
    old.isEast = 1;
    for (const auto& [tp, frequency] : {std::pair{0, 1100000U}, std::pair{1, 1149400U}}) {
        old.channels[tp].frequency = frequency;
        old.channels[tp].polarization = stored(Polarization::HorizLeft);
        old.channels[tp].symbolRate = 27500;
        old.channels[tp].codeRate = 2; // 3/4
    }
    plans.append(old);
    ScriptedPrompts prompts;
    CDlgUpdate dialog(plans, {old.id}, MeterModel::General, prompts);
    dialog.readFrom(QString::fromStdString(dir.file("satellites.xml").string()));
    // The default scan folder is read first: a loaded machine may take a while.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !dialog.reading() && dialog.changeTree()->topLevelItemCount() == 1; }, 60000));
    const QTreeWidgetItem* top = dialog.changeTree()->topLevelItem(0);
    EXPECT_EQ(top->text(0), QStringLiteral("Astra1L (19.2E) from Astra 1L 19.2E: 1 added, 1 removed, 1 changed"));
    ASSERT_EQ(top->childCount(), 3);
    EXPECT_EQ(top->child(0)->text(0), QStringLiteral("- 11000 H 27500"));
    EXPECT_EQ(top->child(1)->text(0), QStringLiteral("~ 11494 H 22000: SR(MS/s) 27.500 > 22.000"));
    EXPECT_EQ(top->child(2)->text(0), QStringLiteral("+ 12000 V 27500"));
    ASSERT_EQ(dialog.result().size(), 1U);
    EXPECT_EQ(dialog.result()[0].channelCount, 2);

    top->child(0)->setCheckState(0, Qt::Unchecked);
    ASSERT_EQ(dialog.result().size(), 1U);
    const CComonOrbitune& updated = dialog.result()[0];
    ASSERT_EQ(updated.channelCount, 3);
    EXPECT_EQ(updated.channels[0], old.channels[0]);
    EXPECT_EQ(updated.channels[1].symbolRate, 22000);
    EXPECT_EQ(updated.channels[2].frequency, 1200000U);
    EXPECT_TRUE(dialog.updateButton()->isEnabled());
    EXPECT_EQ(plans.at(0), old);

    for (int k = 0; k < 3; ++k)
        top->child(k)->setCheckState(0, Qt::Unchecked);
    EXPECT_TRUE(dialog.result().empty());
    EXPECT_FALSE(dialog.updateButton()->isEnabled());
}
