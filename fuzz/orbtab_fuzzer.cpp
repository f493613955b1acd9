#include "core/files/orbtab_file.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Decodes arbitrary bytes as an Orbtab file, checks its checksum and writes the
// plan back; the name test runs on whatever name the file held.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto image = orbtab_file::imageOf(std::span(data, size));
    orbtab_file::checksumMatches(image);
    const auto plan = orbtab_file::decode(image);
    orbtab_file::isSafeName(plan.nameText());
    orbtab_file::encode(plan, 1);
    return 0;
}
