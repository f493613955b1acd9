#pragma once

#include "core/files/file_error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A firmware image read whole from its file, and the file's name without its
// folder.
struct FirmwareImage {
    std::vector<std::uint8_t> data;
    std::string name;
};

struct FirmwareLoad {
    enum class Error { Unreadable, TooLarge };
    std::optional<FirmwareImage> image;
    std::optional<Error> error;
    std::optional<FileError> unreadable; // why an Unreadable file could not be read
};

// Reads an image file for an upgrade. An image of more than 2,097,120 bytes
// (65,535 blocks, the most a block number can count) is refused without being
// read whole; anything but a regular file is refused without waiting for it.
FirmwareLoad loadFirmwareImage(const std::filesystem::path& path);
