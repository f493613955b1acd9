#include "core/commands/file_commands.h"

#include "core/files/file_error_message.h"
#include "core/files/general_file.h"
#include "core/files/open_files.h"
#include "core/files/orbtab_file.h"
#include "core/files/plan_list_file.h"
#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"

#include <filesystem>
#include <optional>
#include <type_traits>

namespace {

// The Save commands' dialogs and messages belong to the plan pane.
constexpr PromptOwner kSaves = PromptOwner::PlanPane;

template <typename... Args> void call(const std::function<void(Args...)>& hook, std::type_identity_t<Args>... args)
{
    if (hook)
        hook(args...);
}

void report(Prompts& prompts, PromptOwner owner, const FileError& error)
{
    prompts.tell(owner, fileErrorMessage(error.kind), {error.path});
}

// Records a written file, or reports why it was not written.
void noteSave(const SaveResult& result, const std::string& path, Prompts& prompts, const PlanFileHooks& hooks)
{
    if (result.ok())
        call(hooks.addRecentFile, path);
    else
        report(prompts, kSaves, *result.error);
}

std::optional<FileType> askFileType(Prompts& prompts)
{
    return prompts.chooseFileType(kSaves);
}

void saveQ24(const PlanRefs& chosen, Prompts& prompts, const PlanFileHooks& hooks)
{
    const std::string path = prompts.chooseSaveFile(
        kSaves, {"planList Save", "Q24 Sate File (*.planList)|*.planList||", "planList", false, true});
    if (!path.empty())
        noteSave(writePlanListFile(path, chosen), path, prompts, hooks);
}

// The folder browser, then one file per plan, asking before replacing.
void saveQ9100(const PlanRefs& chosen, Prompts& prompts, const PlanFileHooks& hooks)
{
    const std::string folder = prompts.chooseFolder(kSaves, "Select path");
    if (folder.empty())
        return;
    const auto written = writeOrbtabFiles(folder, chosen, [&](const std::string& planName) {
        return prompts.ask(kSaves, msg::kOrbtabExists, {planName});
    });
    for (const auto& file : written.written)
        call(hooks.addRecentFile, file.string());
    for (const auto& error : written.errors)
        report(prompts, kSaves, error);
}

// Writes the checked plans in the chosen format. `writeGeneral` writes the
// General file, the one format the two Save commands write differently.
void saveAs(FileType type, const PlanRefs& refs, Prompts& prompts, const PlanFileHooks& hooks,
            const std::function<SaveResult(const std::filesystem::path&)>& writeGeneral)
{
    switch (type) {
    case FileType::General: {
        const std::string path =
            prompts.chooseSaveFile(kSaves, {"gnr Save", "General File (*.gnr)|*.gnr||", "gnr", false, true});
        if (!path.empty())
            noteSave(writeGeneral(path), path, prompts, hooks);
        break;
    }
    case FileType::Q24:
        saveQ24(refs, prompts, hooks);
        break;
    case FileType::Q9100:
        saveQ9100(refs, prompts, hooks);
        break;
    }
}

} // namespace

void openChosenFiles(PlanList& plans, Prompts& prompts, const std::vector<std::string>& paths,
                     const PlanFileHooks& hooks)
{
    // The panes drop their rows before the list they show empties.
    call(hooks.clearRows);
    call(hooks.clearCurrentPlan);
    plans.removeAll();

    const auto result = readChosenFiles(paths, plans);

    if (result.nextPlanNumber)
        call(hooks.setNextPlanNumber, static_cast<int>(*result.nextPlanNumber));
    call(hooks.refreshPlanPane);
    call(hooks.clearCurrentPlan);
    for (const auto& path : result.filesRead)
        call(hooks.addRecentFile, path);
    for (const auto& error : result.errors)
        report(prompts, PromptOwner::MainWindow, error);
}

void offerToSavePlans(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks)
{
    if (!plans.empty() && prompts.ask(PromptOwner::MainWindow, msg::kSaveOffer))
        saveAll(plans, prompts, hooks);
}

void openPlans(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks)
{
    offerToSavePlans(plans, prompts, hooks);

    FileDialogOptions options;
    options.filter = "General SateFile (*.gnr)|*.gnr|Q24 SateFile (*.planList)|*.planList|"
                     "Q9100 SateFiles (*.Orbtab)|*.Orbtab||";
    options.multipleFiles = true;
    const std::vector<std::string> paths = prompts.chooseOpenFiles(PromptOwner::MainWindow, options);
    // Only chosen files replace the plans; Cancel keeps them.
    if (!paths.empty())
        openChosenFiles(plans, prompts, paths, hooks);
}

void saveSelected(PlanList& plans, Prompts& prompts, const std::vector<Guid>& checkedIdsInRowOrder,
                  const PlanFileHooks& hooks)
{
    std::vector<CComonOrbitune*> chosen;
    for (const auto& id : checkedIdsInRowOrder)
        if (auto* plan = plans.findPlanById(id))
            chosen.push_back(plan);
    if (chosen.empty())
        return;
    const auto type = askFileType(prompts);
    if (!type)
        return;
    const PlanRefs refs(chosen.begin(), chosen.end());
    if (const auto failed = checkSaveSelected(*type, refs)) {
        prompts.tell(kSaves, *failed);
        return;
    }
    saveAs(*type, refs, prompts, hooks,
           [&](const std::filesystem::path& path) { return writeGeneralFileRenumbering(path, chosen); });
}

void saveAll(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks)
{
    if (plans.empty())
        return;
    const auto type = askFileType(prompts);
    if (!type)
        return;
    const PlanRefs refs = allPlans(plans);
    if (const auto failed = checkSaveAll(*type, refs)) {
        prompts.tell(kSaves, *failed);
        return;
    }
    saveAs(*type, refs, prompts, hooks,
           [&](const std::filesystem::path& path) { return writeGeneralFile(path, refs); });
}
