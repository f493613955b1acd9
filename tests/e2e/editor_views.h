#pragma once

#include "e2e/accessible_tree.h"

#include <optional>
#include <string>
#include <vector>

// A list of the editor as the accessibility bus shows it: its column headers
// and its rows of cells, in the order the screen shows them.
struct ListView {
    std::vector<std::string> headers;
    std::vector<std::vector<AccessibleNode>> rows;
    // The list or one of its cells has the keyboard focus.
    bool focused = false;

    int column(const std::string& header) const;
    const AccessibleNode& cell(std::size_t row, const std::string& header) const;
    std::string text(std::size_t row, const std::string& header) const { return cell(row, header).name; }
};

// The list whose first column header is `firstHeader` ("Plan ID" for the plan
// pane, "TP NO" for the TP pane).
std::optional<ListView> listWithHeader(const AccessibleNode& windows, const std::string& firstHeader);
std::optional<ListView> planList(const AccessibleNode& windows);
std::optional<ListView> tpList(const AccessibleNode& windows);
