#include "e2e/editor_views.h"

#include <algorithm>
#include <stdexcept>

int ListView::column(const std::string& header) const
{
    const auto at = std::find(headers.begin(), headers.end(), header);
    if (at == headers.end())
        throw std::out_of_range("no column " + header);
    return static_cast<int>(at - headers.begin());
}

const AccessibleNode& ListView::cell(std::size_t row, const std::string& header) const
{
    return rows.at(row).at(static_cast<std::size_t>(column(header)));
}

std::optional<ListView> listWithHeader(const AccessibleNode& windows, const std::string& firstHeader)
{
    const AccessibleNode* table = windows.find([&](const AccessibleNode& n) {
        return n.role == "table" && n.showing &&
               std::any_of(n.children.begin(), n.children.end(), [&](const AccessibleNode& c) {
                   return c.role == "table column header" && c.name == firstHeader;
               });
    });
    if (table == nullptr)
        return std::nullopt;
    ListView view;
    view.focused = table->focused;
    for (const AccessibleNode& child : table->children) {
        view.focused = view.focused || child.focused;
        if (child.role == "table column header")
            view.headers.push_back(child.name);
        else if (child.role == "table row header")
            view.rows.emplace_back();
        else if (child.role == "table cell" && !view.rows.empty())
            view.rows.back().push_back(child);
    }
    return view;
}

std::optional<ListView> planList(const AccessibleNode& windows)
{
    return listWithHeader(windows, "Plan ID");
}

std::optional<ListView> tpList(const AccessibleNode& windows)
{
    return listWithHeader(windows, "TP NO");
}
