#include "files/plan_file_commands.h"

#include "files/file_error_message.h"
#include "files/general_file.h"
#include "files/open_files.h"
#include "files/orbtab_file.h"
#include "files/plan_list_file.h"
#include "model/model_checks.h"
#include "res/string_ids.h"
#include "shell/prompts.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

namespace {

template <typename... Args> void call(const std::function<void(Args...)>& hook, std::type_identity_t<Args>... args)
{
    if (hook)
        hook(args...);
}

void report(Prompts& prompts, QWidget* owner, const FileError& error)
{
    prompts.tell(owner, fileErrorMessage(error.kind), {qtText(error.path)});
}

std::filesystem::path corePath(const QString& path)
{
    return std::filesystem::path(coreText(path));
}

// Records a written file, or reports why it was not written.
void noteSave(const SaveResult& result, const QString& path, Prompts& prompts, QWidget* owner,
              const PlanFileHooks& hooks)
{
    if (result.ok())
        call(hooks.addRecentFile, path);
    else
        report(prompts, owner, *result.error);
}

std::optional<FileType> askFileType(Prompts& prompts, QWidget* owner)
{
    const auto chosen = prompts.chooseFileType(owner);
    if (!chosen)
        return std::nullopt;
    return static_cast<FileType>(*chosen);
}

QString chooseGeneralFile(Prompts& prompts, QWidget* owner)
{
    return prompts.chooseSaveFile(owner, {QStringLiteral("gnr Save"), QStringLiteral("General File (*.gnr)|*.gnr||"),
                                          QStringLiteral("gnr"), false, true});
}

QString choosePlanListFile(Prompts& prompts, QWidget* owner)
{
    return prompts.chooseSaveFile(owner, {QStringLiteral("planList Save"),
                                          QStringLiteral("Q24 Sate File (*.planList)|*.planList||"),
                                          QStringLiteral("planList"), false, true});
}

void saveQ24(const PlanRefs& chosen, Prompts& prompts, QWidget* owner, const PlanFileHooks& hooks)
{
    const QString path = choosePlanListFile(prompts, owner);
    if (!path.isEmpty())
        noteSave(writePlanListFile(corePath(path), chosen), path, prompts, owner, hooks);
}

// The folder browser, then one file per plan, asking before replacing.
void saveQ9100(const PlanRefs& chosen, Prompts& prompts, QWidget* owner, const PlanFileHooks& hooks)
{
    const QString folder = prompts.chooseFolder(owner, QStringLiteral("Select path"));
    if (folder.isEmpty())
        return;
    const auto written = writeOrbtabFiles(corePath(folder), chosen, [&](const std::string& planName) {
        return prompts.ask(owner, msg::kOrbtabExists, {qtText(planName)});
    });
    for (const auto& file : written.written)
        call(hooks.addRecentFile, qtText(file.string()));
    for (const auto& error : written.errors)
        report(prompts, owner, error);
}

// Writes the checked plans in the chosen format. `writeGeneral` writes the
// General file, the one format the two Save commands write differently.
void saveAs(FileType type, const PlanRefs& refs, Prompts& prompts, QWidget* owner, const PlanFileHooks& hooks,
            const std::function<SaveResult(const std::filesystem::path&)>& writeGeneral)
{
    switch (type) {
    case FileType::General: {
        const QString path = chooseGeneralFile(prompts, owner);
        if (!path.isEmpty())
            noteSave(writeGeneral(corePath(path)), path, prompts, owner, hooks);
        break;
    }
    case FileType::Q24:
        saveQ24(refs, prompts, owner, hooks);
        break;
    case FileType::Q9100:
        saveQ9100(refs, prompts, owner, hooks);
        break;
    }
}

} // namespace

void openChosenFiles(PlanList& plans, Prompts& prompts, QWidget* owner, const QStringList& paths,
                     const PlanFileHooks& hooks)
{
    // The panes drop their rows before the list they show empties.
    call(hooks.clearRows);
    call(hooks.clearCurrentPlan);
    plans.removeAll();

    std::vector<std::string> chosen;
    chosen.reserve(static_cast<std::size_t>(paths.size()));
    for (const auto& path : paths)
        chosen.push_back(coreText(path));
    const auto result = readChosenFiles(chosen, plans);

    if (result.nextPlanNumber)
        call(hooks.setNextPlanNumber, static_cast<int>(*result.nextPlanNumber));
    call(hooks.refreshPlanPane);
    call(hooks.clearCurrentPlan);
    for (const auto& path : result.filesRead)
        call(hooks.addRecentFile, qtText(path));
    for (const auto& error : result.errors)
        report(prompts, owner, error);
}

void offerToSavePlans(PlanList& plans, Prompts& prompts, QWidget* owner, QWidget* planPane, const PlanFileHooks& hooks)
{
    if (!plans.empty() && prompts.ask(owner, msg::kSaveOffer))
        saveAll(plans, prompts, planPane, hooks);
}

void openPlans(PlanList& plans, Prompts& prompts, QWidget* owner, QWidget* planPane, const PlanFileHooks& hooks)
{
    offerToSavePlans(plans, prompts, owner, planPane, hooks);

    FileDialogOptions options;
    options.filter = QStringLiteral("General SateFile (*.gnr)|*.gnr|Q24 SateFile (*.planList)|*.planList|"
                                    "Q9100 SateFiles (*.Orbtab)|*.Orbtab||");
    options.multipleFiles = true;
    const QStringList paths = prompts.chooseOpenFiles(owner, options);
    // Only chosen files replace the plans; Cancel keeps them.
    if (!paths.isEmpty())
        openChosenFiles(plans, prompts, owner, paths, hooks);
}

void saveSelected(PlanList& plans, Prompts& prompts, QWidget* owner, const std::vector<Guid>& checkedIdsInRowOrder,
                  const PlanFileHooks& hooks)
{
    std::vector<CComonOrbitune*> chosen;
    for (const auto& id : checkedIdsInRowOrder)
        if (auto* plan = plans.findPlanById(id))
            chosen.push_back(plan);
    if (chosen.empty())
        return;
    const auto type = askFileType(prompts, owner);
    if (!type)
        return;
    const PlanRefs refs(chosen.begin(), chosen.end());
    if (const auto failed = checkSaveSelected(*type, refs)) {
        prompts.tell(owner, *failed);
        return;
    }
    saveAs(*type, refs, prompts, owner, hooks,
           [&](const std::filesystem::path& path) { return writeGeneralFileRenumbering(path, chosen); });
}

void saveAll(PlanList& plans, Prompts& prompts, QWidget* owner, const PlanFileHooks& hooks)
{
    if (plans.empty())
        return;
    const auto type = askFileType(prompts, owner);
    if (!type)
        return;
    const PlanRefs refs = allPlans(plans);
    if (const auto failed = checkSaveAll(*type, refs)) {
        prompts.tell(owner, *failed);
        return;
    }
    saveAs(*type, refs, prompts, owner, hooks,
           [&](const std::filesystem::path& path) { return writeGeneralFile(path, refs); });
}
