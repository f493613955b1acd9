#include "scratch_folder.h"

#include "core/files/recovery_copy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// Writes `bytes` as a recovery copy file and names it.
const std::filesystem::path& written(std::span<const std::uint8_t> bytes)
{
    static const std::filesystem::path path = fuzz_checks::ownFolder() / "recovery.gnr";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

} // namespace

// Reads arbitrary bytes as a recovery copy, from memory and from a file; both
// give the same, and a copy is whole only with every plan it was written with.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span bytes(data, size);
    const auto content = recovery_copy::decode(bytes);
    require(content.plans.size() <= static_cast<std::size_t>(general_file::kMaxPlans));
    require(!content.whole || content.plans.size() == content.written);
    const RecoveryCopyRead read = readRecoveryCopy(written(bytes));
    require(!read.error && read.content.whole == content.whole && read.content.plans.size() == content.plans.size());
    return 0;
}
