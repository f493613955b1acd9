#include "core/commands/prompts.h"
#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/pointing/site.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/model_checks.h"
#include "full_plans.h"
#include "ui/lists/in_place_edit.h"
#include "ui/lists/list_filter_box.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/record_sort_filter_model.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/pictures/band_picture.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/plan_history.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

// The editor's main window on the offscreen platform with a full list: 255
// plans of 255 TPs each. Each interaction is timed with the events it causes,
// painting included.
namespace {

// Answers every question with Cancel and every dialog with nothing.
class SilentPrompts : public Prompts {
public:
    SilentPrompts() : Prompts(Language::English) {}
    std::vector<std::string> chooseOpenFiles(PromptOwner, const FileDialogOptions&) override { return {}; }
    std::string chooseSaveFile(PromptOwner, const FileDialogOptions&) override { return {}; }
    std::string chooseFolder(PromptOwner, const std::string&) override { return {}; }
    std::optional<FileType> chooseFileType(PromptOwner) override { return std::nullopt; }

protected:
    Answer showMessage(PromptOwner, MessageId, const std::string&, Buttons) override { return Answer::Cancel; }
};

// The main window shown with the full list, the first plan's TPs in view and
// the plan pane's pointing columns worked out from Berlin.
struct FullEditor {
    PlanList plans = makeFullPlans();
    HidLink link{selectMeterBackend(std::string("sim")).backend};
    SilentPrompts prompts;
    AppSettings settings{QDir::temp().filePath(QStringLiteral("orbitune-bench.ini"))};
    CMainFrame frame{plans, link, prompts, settings, Language::English};

    FullEditor()
    {
        frame.resize(1200, 700);
        frame.show();
        frame.planPane().setPointingSite(Site{52.52, 13.40});
        frame.planPane().RefreshPlanList();
        frame.channelPane().showPlan(plans.at(0).id);
        QApplication::processEvents();
    }
};

// The resident memory of this process, in bytes.
double residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0;
}

// Selecting a plan: the TP pane rebuilds its 255 rows.
void refreshChannels255(benchmark::State& state)
{
    FullEditor editor;
    int plan = 0;
    for (auto _ : state) {
        editor.frame.channelPane().showPlan(editor.plans.at(++plan % 255).id);
        QApplication::processEvents();
    }
}

// A click on the Freq(MHz) header sorts the 255 TP rows.
void sortChannels255(benchmark::State& state)
{
    FullEditor editor;
    for (auto _ : state) {
        editor.frame.channelPane().SortChannelsByColumn(channel_column::kFrequency);
        QApplication::processEvents();
    }
}

// The plan pane rebuilds its 255 rows.
void refreshPlans255(benchmark::State& state)
{
    FullEditor editor;
    for (auto _ : state) {
        editor.frame.planPane().RefreshPlanList();
        QApplication::processEvents();
    }
}

// Another site: the pointing columns of the 255 plans are worked out
// afresh, the views told and the plan pane painted. The columns are scrolled
// into view so that their cells are painted too.
void pointingSite255(benchmark::State& state)
{
    FullEditor editor;
    COrbituneSortComboListCtrl& list = editor.frame.planPane().listControl();
    list.scrollTo(list.rowOrder().index(0, COrbituneList::kFirstPointingColumn + 4));
    QApplication::processEvents();
    bool berlin = false;
    for (auto _ : state) {
        editor.frame.planPane().setPointingSite(berlin ? Site{52.52, 13.40} : Site{40.71, -74.01});
        berlin = !berlin;
        list.viewport()->repaint();
    }
}

// A Freq(MHz) cell opened with a click and committed with Enter: the cell
// rules, the undo step and the refresh.
void editCell255(benchmark::State& state)
{
    FullEditor editor;
    CSortComboListCtrl& list = editor.frame.channelPane().listControl();
    list.setFocus();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.rowOrder().index(0, 0)).center());
    int value = 0;
    for (auto _ : state) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualRect(list.rowOrder().index(0, channel_column::kFrequency)).center());
        CInPlaceEdit* edit = list.openEdit();
        if (edit == nullptr) {
            state.SkipWithError("no edit box opened");
            break;
        }
        edit->setText(QString::number(11000 + (++value % 1000)));
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    }
}

// Ctrl+Down on 100 selected TPs: the moves, the undo step and the repaint of
// the rows that moved. Odd rounds take them back up with Ctrl+Up, so that
// every round moves all 100.
void moveRows255(benchmark::State& state)
{
    FullEditor editor;
    CSortComboListCtrl& list = editor.frame.channelPane().listControl();
    list.setFocus();
    std::vector<Guid> chosen;
    for (int row = 10; row < 110; ++row)
        chosen.push_back(list.rowId(row));
    list.selectIds(chosen);
    QApplication::processEvents();
    bool down = true;
    for (auto _ : state) {
        QTest::keyClick(&list, down ? Qt::Key_Down : Qt::Key_Up, Qt::ControlModifier);
        down = !down;
        QApplication::processEvents();
    }
    if (list.selectedIds().size() != chosen.size())
        state.SkipWithError("the moved TPs are no longer selected");
}

// One character typed into the find box of the TP pane: the rows that do not
// hold it go, and come back when it is erased in the next round.
void filterChannels255(benchmark::State& state)
{
    FullEditor editor;
    CSateChannelList& pane = editor.frame.channelPane();
    pane.listControl().setFocus();
    pane.find();
    ListFilterBox* box = pane.findBox();
    QApplication::processEvents();
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClick(box, Qt::Key_7);
        typed = !typed;
        QApplication::processEvents();
    }
}

// Open of the 6.26 MB General file of the full list, panes included.
void openGeneral255x255(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "orbitune-bench-open.gnr";
    const PlanList full = makeFullPlans();
    writeGeneralFile(path, allPlans(full));
    PlanList plans;
    HidLink link(selectMeterBackend(std::string("sim")).backend);
    SilentPrompts prompts;
    AppSettings settings(QDir::temp().filePath(QStringLiteral("orbitune-bench.ini")));
    CMainFrame frame(plans, link, prompts, settings, Language::English);
    frame.resize(1200, 700);
    frame.show();
    QApplication::processEvents();
    for (auto _ : state) {
        frame.openFiles({QString::fromStdString(path.string())});
        QApplication::processEvents();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

// A thousand undoable cell edits on the full list, all undone and redone once,
// with both panes showing 255 rows. Counters: the memory of the whole process
// and what the steps added to it.
void undoSteps1000(benchmark::State& state)
{
    constexpr int kSteps = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<FullEditor>();
        const double before = residentBytes();
        state.ResumeTiming();

        PlanHistory& history = editor->frame.history();
        PlanList& plans = editor->plans;
        for (int step = 0; step < kSteps; ++step)
            history.make(QStringLiteral("Freq(MHz)"), [&plans, step] {
                plans.at(step % 255).channels[static_cast<std::size_t>(step % 254)].frequency += 100;
            });
        while (history.stack().canUndo())
            history.stack().undo();
        while (history.stack().canRedo())
            history.stack().redo();

        state.PauseTiming();
        state.counters["process_MB"] = residentBytes() / 1e6;
        state.counters["steps_MB"] = (residentBytes() - before) / 1e6;
        editor.reset();
        state.ResumeTiming();
    }
}

// The band picture of a plan of 255 TPs laid out and painted again, as after
// each edit. Every TP has Add CH's values, so each overlaps and repeats all
// the others: the most marks a plan can have.
void bandPicture255(benchmark::State& state)
{
    FullEditor editor;
    BandPicture& picture = editor.frame.bandPicture();
    picture.showPlan(editor.plans.at(0).id);
    std::vector<Guid> selected;
    for (const SateChannel& tp : editor.plans.at(0).usedChannels())
        selected.push_back(tp.id);
    picture.setSelectedTps(selected);
    for (auto _ : state) {
        picture.refresh();
        picture.repaint();
    }
    state.counters["bars"] = static_cast<double>(picture.layout().bars.size());
}

} // namespace

BENCHMARK(refreshChannels255)->Unit(benchmark::kMillisecond);
BENCHMARK(sortChannels255)->Unit(benchmark::kMillisecond);
BENCHMARK(refreshPlans255)->Unit(benchmark::kMillisecond);
BENCHMARK(pointingSite255)->Unit(benchmark::kMillisecond);
BENCHMARK(editCell255)->Unit(benchmark::kMillisecond);
BENCHMARK(bandPicture255)->Unit(benchmark::kMillisecond);
BENCHMARK(moveRows255)->Unit(benchmark::kMillisecond);
BENCHMARK(filterChannels255)->Unit(benchmark::kMillisecond);
BENCHMARK(openGeneral255x255)->Unit(benchmark::kMillisecond);
BENCHMARK(undoSteps1000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
