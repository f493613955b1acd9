#pragma once

#include "core/import/import_source.h"
#include "core/res/string_table.h"

#include <filesystem>

// A CSV or tab-separated table as a source of an import, as Export Table
// writes one or a spreadsheet keeps one: a row per TP, the TP columns read as
// a paste reads them.

// Whether a path names a table file: ".csv" or ".tsv", in any case.
bool isTableFile(const std::filesystem::path& file);

// The satellites of a table file: its rows grouped by satellite, in the order
// each first appears. A row's satellite is its "Plan Name" and its position
// ("Longitude" with "EastOrWest"); without those columns, the file name's
// stem gives them, its position after the last "-" ("Astra-19.2E.csv"). A
// table that cannot be read, a cell that breaks its column's rule, and a row
// without a position are problems, each naming the file (and the row and
// column), the rule's text in `language`.
SourceListing readTableSource(const std::filesystem::path& file, Language language);

// A source as the user names it to an import or an update: a table file as
// readTableSource reads it, anything else as readSource does.
SourceListing readAnySource(const std::filesystem::path& source, Language language);
