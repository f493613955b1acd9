#pragma once

#include "core/files/file_error.h"
#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// The General plan file (.gnr): a 24-byte header ("Tavorex", 100, N, N, 255)
// and N complete plan images, every field, slot and identity kept.
namespace general_file {

inline constexpr std::size_t kHeaderSize = 24;
// Plans taken from one file at most: the editor never holds more.
inline constexpr int kMaxPlans = PlanList::kMaxPlans;
inline constexpr std::size_t kMaxFileSize = kHeaderSize + CComonOrbitune::kImageSize * kMaxPlans;

// The file image of `plans`, in order. With `renumber` each image carries its
// 0-based position as its `number` byte; the records themselves are unchanged.
std::vector<std::uint8_t> encode(std::span<const CComonOrbitune* const> plans, bool renumber);

struct Content {
    std::int32_t nextPlanNumber = 0; // the header value at offset 16
    std::vector<CComonOrbitune> plans;
    int plansNotTaken = 0; // records past the kMaxPlans-th that the header announces and the bytes hold
};

// Reads the plans the header announces, stopping at the end of the bytes (a
// record cut short reads as zero-padded) and after kMaxPlans plans, whose
// later records are counted but not read. Null and repeated ids are replaced
// by fresh ones (freshenRepeatedIds).
Content decode(std::span<const std::uint8_t> bytes);

} // namespace general_file

struct GeneralReadResult {
    std::optional<std::int32_t> nextPlanNumber; // none for an empty path or an unreadable file
    std::optional<FileError> error;
    int plansNotTaken = 0; // records of the file past the 255 the list holds
};

// Replaces the list with the plans of the file. An empty path changes nothing;
// a file that cannot be opened leaves the list empty.
GeneralReadResult readGeneralFile(const std::filesystem::path& path, PlanList& plans);

// Save All: writes the plans as they are.
SaveResult writeGeneralFile(const std::filesystem::path& path, std::span<const CComonOrbitune* const> plans);

// Save Select: writes the plans renumbered 0, 1, 2, ... and, once the file is
// written, sets those numbers in the records themselves.
SaveResult writeGeneralFileRenumbering(const std::filesystem::path& path, std::span<CComonOrbitune* const> plans);
