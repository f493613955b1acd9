#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/model/plan_list.h"
#include "full_plans.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/prompts/qt_prompts.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/orbitune_list.h"
#include "ui/shell/plan_history.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

// The editor's main window on the offscreen platform with a full list: 255
// plans of 255 TPs each.
namespace {

// The resident memory of this process, in bytes.
double residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0;
}

// A thousand undoable cell edits on the full list, all undone and redone once,
// with both panes showing 255 rows. Counters: the memory of the whole process
// and what the steps added to it.
void undoSteps1000(benchmark::State& state)
{
    constexpr int kSteps = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        PlanList plans = makeFullPlans();
        HidLink link(selectMeterBackend(std::string("sim")).backend);
        QtPrompts prompts(Language::English);
        AppSettings settings(QDir::temp().filePath(QStringLiteral("orbitune-bench.ini")));
        CMainFrame frame(plans, link, prompts, settings, Language::English);
        frame.resize(1200, 700);
        frame.show();
        frame.planPane().RefreshPlanList();
        frame.channelPane().showPlan(plans.at(0).id);
        QApplication::processEvents();
        const double before = residentBytes();
        state.ResumeTiming();

        PlanHistory& history = frame.history();
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
        state.ResumeTiming();
    }
}

} // namespace

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
