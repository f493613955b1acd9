#pragma once

#include <string>
#include <string_view>
#include <vector>

// Tables as text: the tab-separated form spreadsheets and web pages put on
// the clipboard, and the CSV files spreadsheets write, with ";" (where the
// decimal separator is a comma) or "," between cells. One line per row; a
// cell holding the separator, a line break or a double quote is quoted, its
// quotes doubled (RFC 4180).

using TableRows = std::vector<std::vector<std::string>>;

// The separators a table may have between its cells.
inline constexpr std::string_view kTableSeparators = "\t;,";

// The rows as text, cells separated by `separator`, each line ended by
// `lineEnd`.
std::string tableText(const TableRows& rows, char separator = '\t', std::string_view lineEnd = "\n");

// The separator of a text's cells, told by its first line with text (its
// header row): whichever of tab, ";" and "," that line holds most often
// outside quotes, a tab before ";" before "," on a tie; a tab when it holds
// none of them.
char tableSeparator(std::string_view text);

// The rows of a text whose cells `separator` separates: lines end at "\n" or
// "\r\n", quoted cells may span lines. Blanks around a cell are dropped, and
// so are lines without any text.
TableRows parseTableText(std::string_view text, char separator);
