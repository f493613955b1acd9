#include "cli/plan_inputs.h"

#include "core/files/atomic_save.h"
#include "core/files/open_files.h"
#include "core/files/plans_json.h"
#include "core/res/string_ids.h"

#include <string_view>
#include <utility>

namespace {

// The largest JSON document the tool reads.
constexpr std::size_t kMaxJsonSize = 64 * 1024 * 1024;

// Names what the list left out, and marks the plans as not all taken.
void refuseNotTaken(const std::vector<Notice>& notices, LoadedPlans& loaded, CliContext& context)
{
    for (const auto& notice : notices)
        context.fail(CliContext::kRefused, notice.message, notice.args);
    if (!notices.empty())
        loaded.allTaken = false;
}

std::optional<LoadedPlans> readJsonInput(const std::string& path, CliContext& context)
{
    const auto file = readFilePrefix(path, kMaxJsonSize);
    if (file.error) {
        context.failFile(CliContext::kUnreadable, *file.error);
        return std::nullopt;
    }
    auto decoded =
        decodePlansJson(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    if (decoded.error) {
        context.fail(CliContext::kUnreadable, msg::kBadFileContent, {path, *decoded.error});
        return std::nullopt;
    }
    for (const auto& renamed : decoded.renamed)
        context.noteAbout(path, renamed.message, renamed.args);
    LoadedPlans loaded;
    loaded.nextPlanNumber = decoded.nextPlanNumber;
    loaded.plans.appendAll(std::move(decoded.plans));
    if (decoded.plansNotTaken > 0)
        refuseNotTaken({{msg::kPlansNotTaken, {path, std::to_string(decoded.plansNotTaken)}}}, loaded, context);
    return loaded;
}

// Names each input that is not read, and why, without failing the command.
void noteNotRead(const std::vector<std::string>& paths, MessageId why, CliContext& context)
{
    for (const auto& path : paths)
        context.note(why, {path});
}

} // namespace

std::optional<LoadedPlans> readPlanInputs(const std::vector<std::string>& paths, CliContext& context)
{
    const auto firstIs = [&paths](PlanFileKind kind) { return !paths.empty() && planFileKind(paths.front()) == kind; };
    if (firstIs(PlanFileKind::Json)) {
        noteNotRead({paths.begin() + 1, paths.end()}, msg::kInputNotRead, context);
        return readJsonInput(paths.front(), context);
    }
    LoadedPlans loaded;
    const auto result = readChosenFiles(paths, loaded.plans);
    noteNotRead(result.notRead, firstIs(PlanFileKind::Q9100) ? msg::kInputNotOrbtab : msg::kInputNotRead, context);
    for (const auto& error : result.errors)
        context.failFile(CliContext::kUnreadable, error);
    if (!result.errors.empty())
        return std::nullopt;
    loaded.nextPlanNumber = result.nextPlanNumber.value_or(0);
    refuseNotTaken(notTakenNotices(result), loaded, context);
    return loaded;
}
