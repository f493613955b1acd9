#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/files/plan_list_file.h"
#include "core/rules/model_checks.h"
#include "full_plans.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

// Writing and reading 255 plans of 255 TPs each (a 6.26 MB General file) and
// the same plans as a Q24 file and as Orbtab files, through the real files.
namespace {

const PlanList& fullPlans()
{
    static const PlanList plans = makeFullPlans();
    return plans;
}

std::filesystem::path benchFolder()
{
    auto folder = std::filesystem::temp_directory_path() / "orbitune-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

void writeGeneral(benchmark::State& state)
{
    const auto refs = allPlans(fullPlans());
    const auto path = benchFolder() / "plans.gnr";
    for (auto _ : state)
        benchmark::DoNotOptimize(writeGeneralFile(path, refs));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

void readGeneral(benchmark::State& state)
{
    const auto path = benchFolder() / "plans.gnr";
    writeGeneralFile(path, allPlans(fullPlans()));
    PlanList plans;
    for (auto _ : state)
        benchmark::DoNotOptimize(readGeneralFile(path, plans));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

void writePlanList(benchmark::State& state)
{
    const auto refs = allPlans(fullPlans());
    const auto path = benchFolder() / "plans.planList";
    for (auto _ : state)
        benchmark::DoNotOptimize(writePlanListFile(path, refs));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

void readPlanList(benchmark::State& state)
{
    const auto path = benchFolder() / "plans.planList";
    writePlanListFile(path, allPlans(fullPlans()));
    for (auto _ : state) {
        PlanList plans;
        benchmark::DoNotOptimize(readPlanListFile(path, plans));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

void writeOrbtab(benchmark::State& state)
{
    const auto refs = allPlans(fullPlans());
    const auto folder = benchFolder() / "orbtab";
    std::filesystem::create_directories(folder);
    for (auto _ : state)
        benchmark::DoNotOptimize(writeOrbtabFiles(folder, refs, [](const std::string&) { return true; }));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * refs.size() * orbtab_file::kFileSize));
}

void readOrbtab(benchmark::State& state)
{
    const auto refs = allPlans(fullPlans());
    const auto folder = benchFolder() / "orbtab";
    std::filesystem::create_directories(folder);
    writeOrbtabFiles(folder, refs, [](const std::string&) { return true; });
    for (auto _ : state) {
        PlanList plans;
        for (const auto* plan : refs)
            benchmark::DoNotOptimize(readOrbtabFile(folder / orbtab_file::fileName(*plan), true, plans));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * refs.size() * orbtab_file::kFileSize));
}

} // namespace

BENCHMARK(writeGeneral)->Unit(benchmark::kMillisecond);
BENCHMARK(readGeneral)->Unit(benchmark::kMillisecond);
BENCHMARK(writePlanList)->Unit(benchmark::kMillisecond);
BENCHMARK(readPlanList)->Unit(benchmark::kMillisecond);
BENCHMARK(writeOrbtab)->Unit(benchmark::kMillisecond);
BENCHMARK(readOrbtab)->Unit(benchmark::kMillisecond);
