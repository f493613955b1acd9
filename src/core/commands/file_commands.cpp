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
    const auto message = fileErrorMessage(error);
    prompts.tell(owner, message.message, message.args);
}

// Records a written file, or reports why it was not written. Answers whether
// it was written.
bool noteSave(const SaveResult& result, const std::string& path, Prompts& prompts, const PlanFileHooks& hooks)
{
    if (!result.ok()) {
        report(prompts, kSaves, *result.error);
        return false;
    }
    call(hooks.addRecentFile, path);
    return true;
}

std::optional<FileType> askFileType(Prompts& prompts)
{
    return prompts.chooseFileType(kSaves);
}

// Where the chosen plans went: the file or folder, empty when not every plan
// was written.
std::string saveQ24(const PlanRefs& chosen, Prompts& prompts, const PlanFileHooks& hooks)
{
    const std::string path = prompts.chooseSaveFile(
        kSaves, {"planList Save", "Q24 Sate File (*.planList)|*.planList||", "planList", false, true});
    if (!path.empty() && noteSave(writePlanListFile(path, chosen), path, prompts, hooks))
        return path;
    return {};
}

// The folder browser, then one file per plan, asking before replacing.
std::string saveQ9100(const PlanRefs& chosen, Prompts& prompts, const PlanFileHooks& hooks)
{
    const std::string folder = prompts.chooseFolder(kSaves, "Select path");
    if (folder.empty())
        return {};
    const auto written = writeOrbtabFiles(folder, chosen, [&](const std::string& planName) {
        return prompts.ask(kSaves, msg::kOrbtabExists, {planName});
    });
    for (const auto& file : written.written)
        call(hooks.addRecentFile, file.string());
    for (const auto& error : written.errors)
        report(prompts, kSaves, error);
    return written.written.size() == chosen.size() ? folder : std::string();
}

// Writes the checked plans in the chosen format. `writeGeneral` writes the
// General file, the one format the two Save commands write differently.
// Answers where the plans went, empty when not every one was written.
std::string saveAs(FileType type, const PlanRefs& refs, Prompts& prompts, const PlanFileHooks& hooks,
                   const std::function<SaveResult(const std::filesystem::path&)>& writeGeneral)
{
    switch (type) {
    case FileType::General: {
        const std::string path =
            prompts.chooseSaveFile(kSaves, {"gnr Save", "General File (*.gnr)|*.gnr||", "gnr", false, true});
        if (!path.empty() && noteSave(writeGeneral(path), path, prompts, hooks))
            return path;
        return {};
    }
    case FileType::Q24:
        return saveQ24(refs, prompts, hooks);
    case FileType::Q9100:
        return saveQ9100(refs, prompts, hooks);
    }
    return {};
}

// Tells the hooks that every plan of the list went to `destination`; answers
// whether the chosen plans were all written.
bool noteWhole(const std::string& destination, bool wholeList, const PlanFileHooks& hooks)
{
    if (destination.empty())
        return false;
    if (wholeList)
        call(hooks.stored, destination);
    return true;
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
    for (const auto& notice : notTakenNotices(result))
        prompts.tell(PromptOwner::MainWindow, notice.message, notice.args);
    call(hooks.replaced, result.filesRead.empty() ? std::string() : result.filesRead.front());
}

void offerToSavePlans(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks)
{
    if (!plans.empty() && prompts.ask(PromptOwner::MainWindow, msg::kSaveOffer))
        saveAll(plans, prompts, hooks);
}

bool settleUnsavedPlans(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks)
{
    if (plans.empty())
        return true;
    switch (prompts.askToSave(PromptOwner::MainWindow, msg::kSaveOffer)) {
    case Prompts::Answer::Ok:
        return saveAll(plans, prompts, hooks);
    case Prompts::Answer::Discard:
        return true;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
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

bool saveSelected(PlanList& plans, Prompts& prompts, const std::vector<Guid>& checkedIdsInRowOrder,
                  const PlanFileHooks& hooks)
{
    std::vector<CComonOrbitune*> chosen;
    for (const auto& id : checkedIdsInRowOrder)
        if (auto* plan = plans.findPlanById(id))
            chosen.push_back(plan);
    if (chosen.empty())
        return false;
    const auto type = askFileType(prompts);
    if (!type)
        return false;
    const PlanRefs refs(chosen.begin(), chosen.end());
    if (const auto failed = checkSaveSelected(*type, refs)) {
        prompts.tell(kSaves, failed->message, failed->args);
        return false;
    }
    const std::string destination = saveAs(*type, refs, prompts, hooks, [&](const std::filesystem::path& path) {
        return writeGeneralFileRenumbering(path, chosen);
    });
    return noteWhole(destination, static_cast<int>(chosen.size()) == plans.count(), hooks);
}

bool saveAll(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks)
{
    if (plans.empty())
        return false;
    const auto type = askFileType(prompts);
    if (!type)
        return false;
    const PlanRefs refs = allPlans(plans);
    if (const auto failed = checkSaveAll(*type, refs)) {
        prompts.tell(kSaves, failed->message, failed->args);
        return false;
    }
    const std::string destination = saveAs(
        *type, refs, prompts, hooks, [&](const std::filesystem::path& path) { return writeGeneralFile(path, refs); });
    return noteWhole(destination, true, hooks);
}
