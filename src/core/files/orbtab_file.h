#pragma once

#include "core/files/file_error.h"
#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The Q9100 per-plan file (.Orbtab): 8,240 bytes, a plan header, at most 102
// TP records and a checksum.
namespace orbtab_file {

inline constexpr std::size_t kFileSize = 8240;
inline constexpr std::size_t kChecksumOffset = 8236;
inline constexpr std::size_t kRecordsOffset = 36;
inline constexpr int kMaxRecords = 102;
inline constexpr std::uint32_t kChecksumBase = 0x55AA;

using Image = std::array<std::uint8_t, kFileSize>;

// 0x55AA minus the sum of the bytes 0..8235, modulo 2^32.
std::uint32_t checksum(std::span<const std::uint8_t, kChecksumOffset> bytes);
bool checksumMatches(const Image& image);

// The file of `plan` written as the `position`-th (from 1) of its command; TPs
// after the 102nd are left out, since the file has no room for them.
Image encode(const CComonOrbitune& plan, std::uint8_t position);

// The file bytes zero-padded or cut to 8,240.
Image imageOf(std::span<const std::uint8_t> bytes);

// The plan of a file, with fresh ids; at most 102 TPs.
CComonOrbitune decode(const Image& image);

// The plan's file name: its name as text and ".Orbtab".
std::string fileName(const CComonOrbitune& plan);

// Whether a plan name can be a file name inside a folder: not empty, not "."
// or "..", and free of "/", "\" and control characters.
bool isSafeName(const std::string& name);

} // namespace orbtab_file

enum class OrbtabReadStatus { Read, NotOpened, ChecksumFailed };

struct OrbtabReadResult {
    OrbtabReadStatus status = OrbtabReadStatus::NotOpened;
    std::optional<FileError> error; // names the file unless it was read
};

// Appends the file's plan to the list unless the file cannot be opened or,
// with `verify`, its checksum fails.
OrbtabReadResult readOrbtabFile(const std::filesystem::path& path, bool verify, PlanList& plans);

struct OrbtabWriteReport {
    std::vector<std::filesystem::path> written;
    std::vector<std::string> declined; // plan names whose existing file was kept
    std::vector<FileError> errors;     // unsafe names and files that could not be written
};

// Answers whether to replace the existing file of the plan with that name.
using OverwriteQuestion = std::function<bool(const std::string& planName)>;

// Writes one file per plan into `folder`, the j-th plan as position j + 1. A
// file that already exists (an exact, case-sensitive name match among the
// folder's entries) is replaced only when `overwrite` agrees. A plan whose name
// cannot be a file name is reported and skipped; the others go on.
OrbtabWriteReport writeOrbtabFiles(const std::filesystem::path& folder, std::span<const CComonOrbitune* const> plans,
                                   const OverwriteQuestion& overwrite);
