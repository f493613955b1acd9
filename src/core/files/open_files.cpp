#include "core/files/open_files.h"

#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/files/plan_list_file.h"
#include "core/res/string_ids.h"

#include <filesystem>

std::string openExtension(const std::string& path)
{
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(dot + 1);
}

namespace {

OpenResult readOrbtabFiles(const std::vector<std::string>& paths, PlanList& plans)
{
    OpenResult result;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (paths[i].empty())
            continue;
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
    const std::string extension = openExtension(first);
    if (extension == "planList") {
        const auto read = readPlanListFile(first, plans);
        result.nextPlanNumber = read.planCount;
        result.plansNotTaken = read.plansNotTaken;
        noteFirst(read.error, first, result);
        result.notRead.assign(paths.begin() + 1, paths.end());
    } else if (extension == "gnr") {
        const auto read = readGeneralFile(first, plans);
        result.nextPlanNumber = read.nextPlanNumber;
        result.plansNotTaken = read.plansNotTaken;
        noteFirst(read.error, first, result);
        result.notRead.assign(paths.begin() + 1, paths.end());
    } else if (extension == "Orbtab") {
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
