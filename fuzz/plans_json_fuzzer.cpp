#include "core/files/plans_json.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads arbitrary text as a plans document and writes what it gave.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = decodePlansJson(std::string_view(reinterpret_cast<const char*>(data), size));
    PlanList plans;
    for (const auto& plan : result.plans)
        plans.append(plan);
    encodePlansJson(result.nextPlanNumber, plans);
    return 0;
}
