#pragma once

#include "core/files/file_error.h"
#include "core/files/general_file.h"
#include "core/model/comon_orbitune.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// The recovery copy of unsaved plans: a General file followed by a trailer
// that tells whether every byte is as it was written. General readers stop
// after the N-th plan record, so the copy stays a General file any of them
// reads. Little-endian, after the 24 + 24,548 x N bytes of the General file:
//
//   offset    width  content
//   0         4 x N  CRC-32 of each plan record, in order
//   4N        4      CRC-32 of the 24-byte General header
//   4N + 4    8      marker "OrbRcvy1"
//   4N + 12   4      length of the General file (24 + 24,548 x N)
//   4N + 16   4      N
//   4N + 20   4      CRC-32 of the trailer's bytes before this one
//
// A trailer is found from the end of the copy: its last 20 bytes.
namespace recovery_copy {

inline constexpr std::size_t kFooterSize = 20;
inline constexpr std::size_t trailerSize(std::size_t plans)
{
    return 4 * plans + 4 + kFooterSize;
}
// The longest copy a reader takes: kMaxPlans plans and their trailer.
inline constexpr std::size_t kMaxFileSize =
    general_file::kMaxFileSize + trailerSize(static_cast<std::size_t>(general_file::kMaxPlans));

// The copy of `plans`, in order, numbers unchanged.
std::vector<std::uint8_t> encode(std::span<const CComonOrbitune* const> plans);

struct Content {
    // The plans whose bytes are as written, in order; for a copy without a
    // whole trailer (cut short), the complete records.
    std::vector<CComonOrbitune> plans;
    // The header value at offset 16; nothing when the header is damaged.
    std::optional<std::int32_t> nextPlanNumber;
    // How many plans the copy was written with, as far as it tells.
    std::uint32_t written = 0;
    // Every byte as written: the plans are all the copy held.
    bool whole = false;
};

// Reads a copy, damaged or not; at most kMaxPlans plans. Null and repeated
// ids are replaced by fresh ones (freshenRepeatedIds).
Content decode(std::span<const std::uint8_t> bytes);

} // namespace recovery_copy

struct RecoveryCopyRead {
    recovery_copy::Content content;
    std::optional<FileError> error; // the copy could not be opened or read
};
RecoveryCopyRead readRecoveryCopy(const std::filesystem::path& path);

// Writes the copy atomically: the file holds its old bytes or the new ones.
SaveResult writeRecoveryCopy(const std::filesystem::path& path, std::span<const CComonOrbitune* const> plans);
