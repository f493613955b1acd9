#include "core/editing/table_text.h"

#include <algorithm>
#include <array>

namespace {

bool needsQuotes(std::string_view cell, char separator)
{
    return cell.find_first_of("\r\n\"") != std::string_view::npos || cell.find(separator) != std::string_view::npos;
}

std::string quoted(std::string_view cell)
{
    std::string out = "\"";
    for (const char c : cell) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string trimmed(std::string_view cell)
{
    const auto first = cell.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(cell.substr(first, cell.find_last_not_of(" \t\r\n") - first + 1));
}

bool blankRow(const std::vector<std::string>& row)
{
    return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); });
}

} // namespace

std::string tableText(const TableRows& rows, char separator, std::string_view lineEnd)
{
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text.push_back(separator);
            text += needsQuotes(row[i], separator) ? quoted(row[i]) : row[i];
        }
        text += lineEnd;
    }
    return text;
}

char tableSeparator(std::string_view text)
{
    std::array<std::size_t, kTableSeparators.size()> counts{};
    bool inQuotes = false;
    bool anyText = false;
    for (const char c : text) {
        if (c == '"')
            inQuotes = !inQuotes;
        else if (inQuotes)
            continue;
        else if (c == '\n' && anyText)
            break;
        else if (const auto at = kTableSeparators.find(c); at != std::string_view::npos)
            ++counts[at];
        anyText = anyText || (c != ' ' && c != '\t' && c != '\r' && c != '\n');
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return *most == 0 ? '\t' : kTableSeparators[static_cast<std::size_t>(most - counts.begin())];
}

TableRows parseTableText(std::string_view text, char separator)
{
    TableRows rows;
    std::vector<std::string> row;
    std::string cell;
    bool inQuotes = false;
    bool wasQuoted = false;
    const auto endCell = [&] {
        row.push_back(wasQuoted ? cell : trimmed(cell));
        cell.clear();
        wasQuoted = false;
    };
    const auto endRow = [&] {
        endCell();
        if (!blankRow(row))
            rows.push_back(std::move(row));
        row.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c != '"')
                cell.push_back(c);
            else if (i + 1 < text.size() && text[i + 1] == '"')
                cell.push_back(text[++i]);
            else
                inQuotes = false;
        } else if (c == '"' && trimmed(cell).empty() && !wasQuoted) {
            cell.clear();
            inQuotes = true;
            wasQuoted = true;
        } else if (c == separator) {
            endCell();
        } else if (c == '\n') {
            endRow();
        } else if (c != '\r') {
            cell.push_back(c);
        }
    }
    if (!cell.empty() || !row.empty())
        endRow();
    return rows;
}
