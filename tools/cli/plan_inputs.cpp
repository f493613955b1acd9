#include "cli/plan_inputs.h"

#include "core/files/atomic_save.h"
#include "core/files/file_error_message.h"
#include "core/files/open_files.h"
#include "core/files/plans_json.h"
#include "core/res/string_ids.h"

#include <string_view>

namespace {

// The largest JSON document the tool reads.
constexpr std::size_t kMaxJsonSize = 64 * 1024 * 1024;

std::optional<LoadedPlans> readJsonInput(const std::string& path, CliContext& context)
{
    const auto file = readFilePrefix(path, kMaxJsonSize);
    if (file.error) {
        context.fail(CliContext::kUnreadable, msg::kOpenFileFailed, {path});
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
    for (const auto& plan : decoded.plans)
        loaded.plans.append(plan);
    return loaded;
}

// Names each input that is not read, without failing the command.
void noteNotRead(const std::vector<std::string>& paths, CliContext& context)
{
    for (const auto& path : paths)
        context.note(msg::kInputNotRead, {path});
}

} // namespace

std::optional<LoadedPlans> readPlanInputs(const std::vector<std::string>& paths, CliContext& context)
{
    if (!paths.empty() && openExtension(paths.front()) == "json") {
        noteNotRead({paths.begin() + 1, paths.end()}, context);
        return readJsonInput(paths.front(), context);
    }
    LoadedPlans loaded;
    const auto result = readChosenFiles(paths, loaded.plans);
    noteNotRead(result.notRead, context);
    for (const auto& error : result.errors)
        context.fail(CliContext::kUnreadable, fileErrorMessage(error.kind), {error.path});
    if (!result.errors.empty())
        return std::nullopt;
    loaded.nextPlanNumber = result.nextPlanNumber.value_or(0);
    return loaded;
}
