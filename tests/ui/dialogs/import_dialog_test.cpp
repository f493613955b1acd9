#include "ui/dialogs/import_dialog.h"

#include "core/res/string_ids.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kReadWait = 60000; // ms

// A DVB-S and a DVB-S2 TP, a circular one in the C band and a 16APSK one of
// one satellite, and a second satellite West of Greenwich.
constexpr std::string_view kSatellites = R"(<?xml version="1.0" encoding="UTF-8"?>
<satellites>
  <sat name="Astra 19.2E" flags="0" position="192">
    <transponder frequency="11837000" symbol_rate="29700000" polarization="0" fec_inner="4" system="0" modulation="1"/>
    <transponder frequency="11914500" symbol_rate="27500000" polarization="1" fec_inner="3" system="1" modulation="2" rolloff="2" pilot="1"/>
    <transponder frequency="11500000" symbol_rate="30000000" polarization="0" fec_inner="8" system="1" modulation="4"/>
    <transponder frequency="12604000" symbol_rate="22000000" polarization="0" fec_inner="5" system="0"/>
  </sat>
  <sat name="Hispasat 30.0W" flags="0" position="-300">
    <transponder frequency="10730000" symbol_rate="27500000" polarization="1" fec_inner="0" system="0"/>
  </sat>
</satellites>)";

class ImportDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto path = dir.file("satellites.xml");
        writeBytes(path, {kSatellites.begin(), kSatellites.end()});
        source = QString::fromStdString(path.string());
    }

    // The dialog with the test's source read.
    std::unique_ptr<CDlgImport> open(const CComonOrbitune* current = nullptr, MeterModel model = MeterModel::General)
    {
        auto dialog = std::make_unique<CDlgImport>(plans, current, 4, model, prompts);
        dialog->readFrom(source);
        // The default scan folder is read first: a loaded machine may take a while.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->reading() && dialog->satelliteTable()->rowCount() == 2; },
                                    kReadWait));
        return dialog;
    }
    static void tick(QTableWidget* table, int row, bool checked = true)
    {
        table->item(row, 0)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }

    TempDir dir;
    QString source;
    PlanList plans = makePlanList(1, 1);
    ScriptedPrompts prompts;
};

TEST_F(ImportDialogTest, CheckedSatelliteBecomesAPlanAndUnstorableTpsAreListed)
{
    auto dialog = open();
    QTableWidget* satellites = dialog->satelliteTable();
    EXPECT_EQ(satellites->item(0, 0)->text(), QStringLiteral("19.2E"));
    EXPECT_EQ(satellites->item(0, 2)->text(), QStringLiteral("3"));
    EXPECT_EQ(satellites->item(0, 3)->text(), QStringLiteral("1"));
    EXPECT_FALSE(dialog->importButton()->isEnabled());

    tick(satellites, 0);
    ASSERT_TRUE(dialog->importButton()->isEnabled());
    ASSERT_EQ(dialog->result().newPlans.size(), 1U);
    const CComonOrbitune& plan = dialog->result().newPlans[0];
    EXPECT_EQ(plan.nameText(), "Astra");
    EXPECT_EQ(plan.channelCount, 3);
    EXPECT_EQ(plan.number, 5);
    EXPECT_EQ(dialog->result().nextPlanNumber, 5);
    EXPECT_TRUE(dialog->leftOutBox()->toPlainText().startsWith(QStringLiteral(
        "The plan of the satellite \"Astra 19.2E\" is named \"Astra\"\nTP 11500 H 30000 of Astra 19.2E")))
        << dialog->leftOutBox()->toPlainText().toStdString();

    // The TPs of the selected satellite: untick one, filter out DVB-S2.
    satellites->setCurrentCell(0, 1);
    QTableWidget* tps = dialog->tpTable();
    ASSERT_EQ(tps->rowCount(), 4);
    EXPECT_EQ(tps->item(0, 0)->text(), QStringLiteral("11837"));
    tick(tps, 0, false);
    EXPECT_EQ(dialog->result().newPlans[0].channelCount, 2);
    dialog->filters().at(8)->setChecked(false); // DVB-S2
    EXPECT_EQ(tps->rowCount(), 3);
    ASSERT_EQ(dialog->result().newPlans[0].channelCount, 1);
    EXPECT_EQ(dialog->result().newPlans[0].channels[0].frequency, 1260400U);
}

TEST_F(ImportDialogTest, SearchHidesOtherSatellitesAndTheModelLimitsTheTps)
{
    auto dialog = open();
    QTest::keyClicks(dialog->searchBox(), QStringLiteral("30.0w"));
    EXPECT_TRUE(dialog->satelliteTable()->isRowHidden(0));
    EXPECT_FALSE(dialog->satelliteTable()->isRowHidden(1));
    dialog->searchBox()->clear();
    EXPECT_FALSE(dialog->satelliteTable()->isRowHidden(0));

    tick(dialog->satelliteTable(), 0);
    dialog->modelCombo()->setCurrentText(QStringLiteral("Q24"));
    EXPECT_EQ(dialog->result().newPlans[0].channelCount, 2);
    EXPECT_TRUE(dialog->leftOutBox()->toPlainText().contains(QStringLiteral("Q24 can not have s2 type of TP")));
}

// Into the current plan: a TP it already has is marked and not added twice.
TEST_F(ImportDialogTest, TpsGoIntoTheCurrentPlanOnce)
{
    CComonOrbitune current = makePlan("Mine", 0);
    SateChannel had = SateChannel::withAddDefaults(1, "had");
    had.frequency = 1073050;
    had.polarization = 1;
    current.appendChannel(had);
    plans.append(current);
    auto dialog = open(&plans.at(1));
    tick(dialog->satelliteTable(), 1);
    dialog->intoCurrentPlan()->setChecked(true);
    dialog->satelliteTable()->setCurrentCell(1, 1);
    ASSERT_EQ(dialog->tpTable()->rowCount(), 1);
    EXPECT_EQ(dialog->tpTable()->item(0, 6)->text(), QStringLiteral("the same TP is already in the plan"));
    EXPECT_FALSE(dialog->importButton()->isEnabled());
    tick(dialog->satelliteTable(), 0);
    ASSERT_TRUE(dialog->result().changedPlan);
    EXPECT_EQ(dialog->result().changedPlan->id, current.id);
    EXPECT_EQ(dialog->result().changedPlan->channelCount, 4);
    EXPECT_TRUE(dialog->result().newPlans.empty());
}

// A satellite that cannot be read is named in the left-out box and the others
// are listed, 1801 as 179.9W; a plan name that had to change is named there too.
TEST_F(ImportDialogTest, SatellitesThatCannotBeReadAreNamedAndTheOthersListed)
{
    constexpr std::string_view kReceiverFile = R"(<satellites>
  <sat name="Broken" position="east"/>
  <sat name="Intelsat 18" position="1801"><transponder frequency="3840000" symbol_rate="27500000" polarization="0"/></sat>
  <sat name="Türksat" position="420"><transponder frequency="11000000" symbol_rate="27500000" polarization="0"/></sat>
</satellites>)";
    writeBytes(dir.file("satellites.xml"), {kReceiverFile.begin(), kReceiverFile.end()});
    auto dialog = open();
    EXPECT_EQ(dialog->satelliteTable()->item(0, 0)->text(), QStringLiteral("179.9W"));
    const QString box = dialog->leftOutBox()->toPlainText();
    EXPECT_TRUE(box.contains(QStringLiteral("sat \"Broken\": position \"east\""))) << box.toStdString();
    tick(dialog->satelliteTable(), 1);
    EXPECT_TRUE(dialog->leftOutBox()->toPlainText().contains(
        QStringLiteral("The plan of the satellite \"T\u00fcrksat\" is named \"Trksat\"")))
        << dialog->leftOutBox()->toPlainText().toStdString();
    EXPECT_TRUE(dialog->importButton()->isEnabled());
}

// The Model starts where the editor says; a code rate the source leaves to
// the receiver is listed with the rate taken.
TEST_F(ImportDialogTest, ModelStartsAsToldAndGuessedRatesAreListed)
{
    auto dialog = open(nullptr, MeterModel::Q36);
    EXPECT_EQ(dialog->modelCombo()->currentText(), QStringLiteral("Q36"));
    EXPECT_EQ(dialog->chosenModel(), MeterModel::Q36);
    tick(dialog->satelliteTable(), 0);
    EXPECT_FALSE(dialog->leftOutBox()->toPlainText().contains(QStringLiteral("code rate to the receiver")));
    tick(dialog->satelliteTable(), 1);
    EXPECT_TRUE(dialog->leftOutBox()->toPlainText().contains(QStringLiteral(
        "TP 10730 V 27500 of Hispasat 30.0W 30.0W: the source leaves the code rate to the receiver, 1/2 is taken")))
        << dialog->leftOutBox()->toPlainText().toStdString();
}

// The File button offers tables beside satellites.xml and scan files, and a
// spreadsheet's table (";", decimal commas, quoted cells) is read as the
// satellite its file name gives; a table that cannot be read is named.
TEST_F(ImportDialogTest, SpreadsheetTablesAreSources)
{
    const std::string_view table = "\"Freq\";Pol;SR;FEC\r\n\"10719,5\";V;27500;3/4\r\n11034;\"H\";29900;5/6\r\n";
    const auto csv = dir.file("Hotbird-13.0E.csv");
    writeBytes(csv, {table.begin(), table.end()});
    auto dialog = std::make_unique<CDlgImport>(plans, nullptr, 0, MeterModel::General, prompts);
    prompts.openFiles.push_back({csv.string()});
    QPushButton* file = nullptr;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == QString::fromStdString(prompts.text(msg::kImportFile)))
            file = button;
    ASSERT_NE(file, nullptr);
    QTest::mouseClick(file, Qt::LeftButton);
    ASSERT_EQ(prompts.fileDialogs.size(), 1U);
    EXPECT_NE(prompts.fileDialogs[0].filter.find("*.csv;*.tsv"), std::string::npos) << prompts.fileDialogs[0].filter;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !dialog->reading() && dialog->satelliteTable()->rowCount() == 1; }, kReadWait));
    EXPECT_EQ(dialog->satelliteTable()->item(0, 0)->text(), QStringLiteral("13.0E"));
    EXPECT_EQ(dialog->satelliteTable()->item(0, 1)->text(), QStringLiteral("Hotbird"));
    tick(dialog->satelliteTable(), 0);
    ASSERT_EQ(dialog->result().newPlans.size(), 1U);
    const CComonOrbitune& plan = dialog->result().newPlans[0];
    ASSERT_EQ(plan.channelCount, 2);
    EXPECT_EQ(plan.channels[0].frequency, 1071950U);
    EXPECT_EQ(plan.channels[1].frequency, 1103400U);
    EXPECT_EQ(plan.channels[1].symbolRate, 29900);

    const std::string_view piped = "Freq|Pol\n10719|V\n";
    writeBytes(dir.file("piped.tsv"), {piped.begin(), piped.end()});
    dialog->readFrom(QString::fromStdString(dir.file("piped.tsv").string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->reading(); }, kReadWait));
    EXPECT_EQ(dialog->satelliteTable()->rowCount(), 0);
    bool named = false;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        named = named || (label->text().contains(QStringLiteral("piped.tsv")) &&
                          label->text().contains(QStringLiteral("\"|\"")));
    EXPECT_TRUE(named);
}

TEST_F(ImportDialogTest, MissingSourceIsNamed)
{
    auto dialog = std::make_unique<CDlgImport>(plans, nullptr, 0, MeterModel::General, prompts);
    dialog->readFrom(QString::fromStdString(dir.file("nowhere").string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->reading(); }, kReadWait));
    EXPECT_EQ(dialog->satelliteTable()->rowCount(), 0);
    bool named = false;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        named = named || label->text().contains(QStringLiteral("nowhere"));
    EXPECT_TRUE(named);
}

} // namespace
