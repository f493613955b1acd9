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

// The Q24 plan list file (.planList): a plan count, then per plan an 8,036-byte
// block, its TP count and its 80-byte TP records. No identities are stored.
namespace plan_list_file {

inline constexpr std::size_t kBlockSize = 8036;
// Plans and TPs taken from one file at most.
inline constexpr int kMaxPlans = PlanList::kMaxPlans;
inline constexpr std::size_t kMaxFileSize =
    4 + (kBlockSize + 4 + SateChannel::kRecordSize * CComonOrbitune::kSlotCount) * kMaxPlans;

// The file image of `plans`, in order; each block carries its 1-based position.
std::vector<std::uint8_t> encode(std::span<const CComonOrbitune* const> plans);

struct Content {
    std::int32_t planCount = 0; // N as the file states it
    std::vector<CComonOrbitune> plans;
    int plansNotTaken = 0; // past the kMaxPlans-th plan, when bytes follow it: the plans the file states
};

// Reads the plans and TPs the file announces, each with a fresh id, stopping
// at the end of the bytes (a block or record cut short reads as zero-padded),
// after kMaxPlans plans (the later ones are counted as the file states them,
// not read) and, in each plan, after 255 TPs (later records are passed over).
Content decode(std::span<const std::uint8_t> bytes);

} // namespace plan_list_file

struct PlanListReadResult {
    std::optional<std::int32_t> planCount; // none for an empty path or an unreadable file
    std::optional<FileError> error;
    int plansNotTaken = 0; // plans of the file past the 255 the list holds
};

// Appends the plans of the file to the list.
PlanListReadResult readPlanListFile(const std::filesystem::path& path, PlanList& plans);

SaveResult writePlanListFile(const std::filesystem::path& path, std::span<const CComonOrbitune* const> plans);
