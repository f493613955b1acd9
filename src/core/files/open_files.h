#pragma once

#include "core/files/file_error.h"
#include "core/model/plan_list.h"
#include "core/res/string_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What reading the chosen files gave.
struct OpenResult {
    std::optional<std::int32_t> nextPlanNumber; // none: the counter keeps its value
    std::vector<FileError> errors;              // files that could not be read, in order
    std::vector<std::string> filesRead;         // the paths whose plans were read, in order
    std::vector<std::string> notRead;           // later paths the first one's format does not read
    // What the 255 plans of the list left out: plans of the first file (a
    // General or Q24 file), and Orbtab files not read once 255 were.
    int plansNotTaken = 0;
    std::vector<std::string> filesNotTaken;
};

// The extension of a chosen path as the Open command sees it: the text after
// its last ".", or the whole path when it has none.
std::string openExtension(const std::string& path);

// Reads the chosen paths into the (already emptied) list exactly as the Open
// command does once files are chosen. The first path's extension, compared
// case-sensitively, picks the format: "gnr" and "planList" read the first path
// only; "Orbtab" reads the first path verified and every later one unverified,
// and the number of files read becomes the counter. A first Orbtab file whose
// checksum fails ends the reading. Any other extension reads nothing and is
// reported as UnknownFormat. The paths after a first "gnr" or "planList" path
// are listed as not read. The list takes 255 plans at most: the plans of a
// file past those and the Orbtab files after the 255th read are not read.
OpenResult readChosenFiles(const std::vector<std::string>& paths, PlanList& plans);

// The messages that name what the list could not take: the first file with
// the number of its plans left out, or the number and the names of the files
// left out.
std::vector<Notice> notTakenNotices(const OpenResult& result);
