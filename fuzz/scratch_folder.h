#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <stdlib.h>

namespace fuzz_checks {

// Where a target writes the files it reads back: memory when the system has
// a folder there, so that a run is not held up by a disk.
inline std::filesystem::path scratchFolder()
{
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

// A folder of this process's own in the scratch folder, made on first use and
// removed with what it holds when the process ends, so that runs side by side
// (a long run beside the test command's) never read each other's files.
inline const std::filesystem::path& ownFolder()
{
    struct Folder {
        std::filesystem::path path;
        Folder()
        {
            std::string made = (scratchFolder() / "orbitune-fuzz-XXXXXX").string();
            if (::mkdtemp(made.data()) == nullptr)
                std::abort();
            path = made;
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        Folder(const Folder&) = delete;
        Folder& operator=(const Folder&) = delete;
    };
    static const Folder folder;
    return folder.path;
}

} // namespace fuzz_checks
