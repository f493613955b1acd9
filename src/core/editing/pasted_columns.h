#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The columns of a pasted table that a list knows, by their headers: the
// list's own headers and common names (frequency, polarization, symbol rate,
// system, modulation, FEC, satellite, position, ...), in any case, with any
// blanks and punctuation and with or without a unit ("Freq(MHz)", "Frequency
// MHz" and "freq" name one column).

struct PastedColumn {
    int listColumn = 0;
    std::size_t textColumn = 0; // its place in the pasted rows
    std::string header;         // as pasted
};

// The pasted columns of the transponder list (or the plan list), each list
// column once (its first pasted column), in the order `order` lists the
// list's columns; columns with other headers are left out.
std::vector<PastedColumn> channelColumns(const std::vector<std::string>& header, std::span<const int> order);
std::vector<PastedColumn> planColumns(const std::vector<std::string>& header, std::span<const int> order);

// Whether a header names a column of either list, or their row numbers
// ("TP NO", "Plan ID"): a table may hold both lists' columns, and each list
// takes its own.
bool knownHeader(std::string_view header);
