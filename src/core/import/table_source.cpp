#include "core/import/table_source.h"

#include "core/editing/pasted_columns.h"
#include "core/editing/table_file.h"
#include "core/editing/table_text.h"
#include "core/import/source_tp.h"
#include "core/rules/plan_cell_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>

namespace {

bool hasPlanColumn(const std::vector<std::string>& header, int column)
{
    const std::array order{column};
    return !planColumns(header, order).empty();
}

// The satellite a file's name gives: "Astra-19.2E" is Astra at 19.2E.
std::pair<std::string, std::optional<OrbitalPosition>> satelliteOfName(const std::filesystem::path& file)
{
    const std::string stem = file.stem().string();
    const std::size_t dash = stem.rfind('-');
    if (dash == std::string::npos)
        return {stem, std::nullopt};
    if (const auto position = parsePosition(std::string_view(stem).substr(dash + 1)))
        return {stem.substr(0, dash), position};
    return {stem, std::nullopt};
}

} // namespace

bool isTableFile(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".csv" || extension == ".tsv";
}

SourceListing readTableSource(const std::filesystem::path& file, Language language)
{
    SourceListing listing;
    const TableFileText text = readTableFile(file);
    if (text.problem) {
        listing.problems.push_back(*text.problem);
        return listing;
    }
    // A source has no room to keep to: every row is read.
    constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();
    const PastedRows<SateChannel> tps = channelsFromTable(text.text, kAll);
    if (tps.failure) {
        listing.problems.push_back(tableFileFailure(file, *tps.failure, language));
        return listing;
    }
    const TableRows rows = parseTableText(text.text, tableSeparator(text.text));
    const std::vector<std::string>& header = rows.front();
    const bool named = hasPlanColumn(header, plan_column::kName);
    const bool placed = hasPlanColumn(header, plan_column::kLongitude);
    std::vector<CComonOrbitune> plans;
    if (named || placed) {
        PastedRows<CComonOrbitune> pasted = plansFromTable(text.text, kAll);
        if (pasted.failure) {
            listing.problems.push_back(tableFileFailure(file, *pasted.failure, language));
            return listing;
        }
        plans = std::move(pasted.records);
    }
    const auto [fileName, filePosition] = satelliteOfName(file);
    for (std::size_t i = 0; i < tps.records.size(); ++i) {
        std::string name = named ? plans[i].nameText() : fileName;
        std::optional<OrbitalPosition> position = filePosition;
        if (placed)
            position = OrbitalPosition{static_cast<int>(std::lround(plans[i].longitude * 10.0F)), plans[i].isEast != 0};
        if (!position) {
            listing.problems.push_back({msg::kTableNoPosition, {file.string(), std::to_string(i + 2)}});
            listing.satellites.clear();
            return listing;
        }
        auto same = std::find_if(listing.satellites.begin(), listing.satellites.end(), [&](const Satellite& satellite) {
            return satellite.name == name && satellite.position == *position;
        });
        if (same == listing.satellites.end()) {
            listing.satellites.push_back({std::move(name), *position, file.string(), {}});
            same = listing.satellites.end() - 1;
        }
        same->tps.push_back(sourceTpOfRecord(tps.records[i]));
    }
    return listing;
}

SourceListing readAnySource(const std::filesystem::path& source, Language language)
{
    return isTableFile(source) ? readTableSource(source, language) : readSource(source);
}
