#pragma once

#include <string>
#include <string_view>
#include <vector>

// Tables as tab-separated text, the form spreadsheets and web pages put on
// the clipboard: one line per row, cells separated by tabs. A cell holding a
// tab, a line break or a double quote is quoted, its quotes doubled.

using TableRows = std::vector<std::vector<std::string>>;

// The rows as text, each line ended by "\n".
std::string tableText(const TableRows& rows);

// The rows of a text: lines end at "\n" or "\r\n", quoted cells may span
// lines. Blanks around a cell are dropped, and so are lines without any text.
TableRows parseTableText(std::string_view text);
