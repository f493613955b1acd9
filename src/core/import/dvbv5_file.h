#pragma once

#include "core/import/dvbv5_mapping.h"
#include "core/import/satellite.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Reading a DVBv5 scan file through the library made for the format. The
// library trusts what it reads (a long value or a long file is enough to make
// it write past its buffers or eat the memory), so it is only ever given a
// text checked here first and written out again in one plain form.

// The limits of a scan file. The distribution's largest holds 237 groups in
// 39 KB, with lines of at most 30 characters.
inline constexpr std::size_t kMaxScanFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxScanLineChars = 256;
inline constexpr std::size_t kMaxScanValueChars = 32;
inline constexpr int kMaxScanGroups = 1000;

// A scan file's text as the library is to read it, or why it is refused.
struct ScanText {
    std::string text;
    std::optional<Notice> problem; // names the file, the line and what is wrong
};

// Checks the bytes of a scan file line by line ("\n" or "\r\n" ends a line;
// blanks, tabs and lines starting with "#" are skipped): a "[group]" line opens
// an entry, a "KEY = VALUE" line gives one of its values. Refused: a NUL or
// other control character, a line over kMaxScanLineChars, a value over
// kMaxScanValueChars, a line of neither kind, a value before the first group,
// more than kMaxScanGroups groups, and for the keys the import reads
// (DELIVERY_SYSTEM, FREQUENCY, SYMBOL_RATE, INNER_FEC, MODULATION, ROLLOFF,
// PILOT, POLARIZATION; in either case) a key given twice in a group, a value
// the format does not name or a number of more than 9 digits. The text given
// back holds "[CHANNEL]" for each group and those keys in upper case with
// their values as the format spells them; other keys are left out.
ScanText checkScanText(std::string_view bytes, const std::string& file);

// Reading a scan file.
struct Dvbv5Read {
    std::optional<Dvbv5Satellite> satellite;
    std::optional<Notice> problem; // names the file and what is wrong with it
};

// The satellite of a scan file: its name and position from the file name
// (brought into 180.0W..180.0E as normalisedPosition does), its entries from
// the file. A file whose name gives no position (or one of a full turn or
// more), that cannot be opened, that is larger than
// kMaxScanFileBytes or that checkScanText refuses gives a problem instead.
Dvbv5Read readDvbv5File(const std::filesystem::path& file);
