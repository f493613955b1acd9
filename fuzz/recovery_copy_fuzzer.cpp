#include "scratch_folder.h"

#include "core/files/recovery_copy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// A file of this process's own, removed when it ends.
class ScratchFile {
public:
    ScratchFile()
        : path_(fuzz_checks::scratchFolder() / ("orbitune-fuzz-recovery-" + std::to_string(::getpid()) + ".gnr"))
    {
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& holding(std::span<const std::uint8_t> bytes) const
    {
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path_;
    }

private:
    std::filesystem::path path_;
};

} // namespace

// Reads arbitrary bytes as a recovery copy, from memory and from a file; both
// give the same, and a copy is whole only with every plan it was written with.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile scratch;
    const std::span bytes(data, size);
    const auto content = recovery_copy::decode(bytes);
    require(content.plans.size() <= static_cast<std::size_t>(general_file::kMaxPlans));
    require(!content.whole || content.plans.size() == content.written);
    const RecoveryCopyRead read = readRecoveryCopy(scratch.holding(bytes));
    require(!read.error && read.content.whole == content.whole && read.content.plans.size() == content.plans.size());
    return 0;
}
