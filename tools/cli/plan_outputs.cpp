#include "cli/plan_outputs.h"

#include "core/files/atomic_save.h"
#include "core/files/plans_json.h"
#include "core/res/string_ids.h"

#include <cstdint>
#include <span>
#include <string>

void writeJsonPlans(const LoadedPlans& loaded, const std::filesystem::path& output, bool overwrite, CliContext& context)
{
    std::error_code ec;
    if (!overwrite && std::filesystem::exists(output, ec)) {
        context.fail(CliContext::kRefused, msg::kFileExists, {output.string()});
        return;
    }
    const std::string text = encodePlansJson(loaded.nextPlanNumber, loaded.plans);
    const auto saved =
        saveFileAtomically(output, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (!saved.ok())
        context.failFile(CliContext::kRefused, *saved.error);
}
