#include "core/files/open_files.h"

#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/files/plan_list_file.h"
#include "core/res/string_ids.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

std::string openExtension(const std::string& path)
{
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(dot + 1);
}

std::optional<PlanFileKind> planFileKind(const std::string& path)
{
    const std::string extension = openExtension(path);
    const auto is = [&extension](std::string_view name) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return std::equal(extension.begin(), extension.end(), name.begin(), name.end(),
                          [&lower](char a, char b) { return lower(a) == lower(b); });
    };
    if (is("gnr"))
        return PlanFileKind::General;
    if (is("planList"))
        return PlanFileKind::Q24;
    if (is("Orbtab"))
        return PlanFileKind::Q9100;
    if (is("json"))
        return PlanFileKind::Json;
    return std::nullopt;
}

namespace {

OpenResult readOrbtabFiles(const std::vector<std::string>& paths, PlanList& plans)
{
    OpenResult result;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (paths[i].empty())
            continue;
        // Only Q9100 files follow the first one; another file read as one
        // would make a plan of whatever bytes it holds.
        if (planFileKind(paths[i]) != PlanFileKind::Q9100) {
            result.notRead.push_back(paths[i]);
            continue;
        }
        if (plans.count() >= PlanList::kMaxPlans) {
            result.filesNotTaken.push_back(paths[i]);
            continue;
        }
        const auto read = readOrbtabFile(paths[i], i == 0, plans);
        if (read.status == OrbtabReadStatus::Read) {
            result.filesRead.push_back(paths[i]);
            continue;
        }
        result.errors.push_back(*read.error);
        if (read.status == OrbtabReadStatus::ChecksumFailed)
            return result;
    }
    result.nextPlanNumber = static_cast<std::int32_t>(result.filesRead.size());
    return result;
}

// Records what reading the first path gave: its error, or the path as read
// when the reader answered a counter (an empty path gives neither).
void noteFirst(const std::optional<FileError>& error, const std::string& first, OpenResult& result)
{
    if (error)
        result.errors.push_back(*error);
    else if (result.nextPlanNumber)
        result.filesRead.push_back(first);
}

} // namespace

OpenResult readChosenFiles(const std::vector<std::string>& paths, PlanList& plans)
{
    OpenResult result;
    if (paths.empty())
        return result;
    const std::string& first = paths.front();
    const auto kind = planFileKind(first);
    if (kind == PlanFileKind::Q24) {
        const auto read = readPlanListFile(first, plans);
        result.nextPlanNumber = read.planCount;
        result.plansNotTaken = read.plansNotTaken;
        noteFirst(read.error, first, result);
        result.notRead.assign(paths.begin() + 1, paths.end());
    } else if (kind == PlanFileKind::General) {
        const auto read = readGeneralFile(first, plans);
        result.nextPlanNumber = read.nextPlanNumber;
        result.plansNotTaken = read.plansNotTaken;
        noteFirst(read.error, first, result);
        result.notRead.assign(paths.begin() + 1, paths.end());
    } else if (kind == PlanFileKind::Q9100) {
        result = readOrbtabFiles(paths, plans);
    } else {
        result.errors.push_back({FileError::Kind::UnknownFormat, first, "not a plan file extension"});
    }
    return result;
}

std::vector<Notice> notTakenNotices(const OpenResult& result)
{
    std::vector<Notice> notices;
    if (result.plansNotTaken > 0 && !result.filesRead.empty())
        notices.push_back({msg::kPlansNotTaken, {result.filesRead.front(), std::to_string(result.plansNotTaken)}});
    if (!result.filesNotTaken.empty()) {
        std::string names;
        for (const auto& path : result.filesNotTaken)
            names += (names.empty() ? "" : ", ") + std::filesystem::path(path).filename().string();
        notices.push_back({msg::kFilesNotTaken, {std::to_string(result.filesNotTaken.size()), names}});
    }
    return notices;
}
