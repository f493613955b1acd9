#include "core/files/plan_list_file.h"
#include "core/rules/model_checks.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Decodes arbitrary bytes as a Q24 plan list file and writes the plans back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto content = plan_list_file::decode(std::span(data, size));
    PlanRefs refs;
    for (const auto& plan : content.plans)
        refs.push_back(&plan);
    plan_list_file::encode(refs);
    return 0;
}
