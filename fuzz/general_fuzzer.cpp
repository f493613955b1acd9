#include "core/files/general_file.h"
#include "core/rules/model_checks.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Decodes arbitrary bytes as a General file and writes the plans back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto content = general_file::decode(std::span(data, size));
    PlanRefs refs;
    for (const auto& plan : content.plans)
        refs.push_back(&plan);
    general_file::encode(refs, true);
    return 0;
}
