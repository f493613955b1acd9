#pragma once

#include <filesystem>
#include <system_error>

namespace fuzz_checks {

// Where a target writes the files it reads back: memory when the system has
// a folder there, so that a run is not held up by a disk.
inline std::filesystem::path scratchFolder()
{
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

} // namespace fuzz_checks
