#pragma once

#include "core/editing/pasted_rows.h"
#include "core/model/guid.h"
#include "core/model/plan_list.h"
#include "core/res/string_table.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// TPs as the CSV and tab-separated files spreadsheets read and write.

// The most a table file may hold; a larger one is refused unread.
inline constexpr std::size_t kMaxTableFileBytes = 16 * 1024 * 1024;

// The TPs of the plans with these ids, in that order, as CSV: a header row
// ("Plan Name", "EastOrWest", "Longitude", then the TP list's headers but
// "TP NO"), a row per TP with the texts the lists show, the frequency to its
// hundredths; cells separated by `separator`, lines ended by CRLF. Pasted or
// imported into a plan, the TP columns read back to the same values, and the
// plan columns are left out.
std::string plansTpsTable(const PlanList& plans, std::span<const Guid> ids, char separator = ',');

// The text of a table file, or why it cannot be read (naming the file).
struct TableFileText {
    std::string text;
    std::optional<Notice> problem;
};
TableFileText readTableFile(const std::filesystem::path& file);

// Why a table read from `file` gives nothing, naming the file, and the row
// and column at fault where there is one; the rule's text in `language`.
Notice tableFileFailure(const std::filesystem::path& file, const PasteFailure& failure, Language language);

// The TPs of a table file as a paste of its text makes them (at most `room`),
// or why nothing is taken, naming the file.
struct TableFileTps {
    std::vector<SateChannel> tps;
    std::vector<Notice> notes; // columns left out
    std::optional<Notice> failure;
};
TableFileTps tableFileTps(const std::filesystem::path& file, std::size_t room, Language language);
