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

// The formats a path's extension names. Letter case does not matter, here and
// wherever a format is picked by a path's extension, so that every file one
// command writes another reads: "a.GNR" is a General file.
enum class PlanFileKind {
    General, // .gnr
    Q24,     // .planList
    Q9100,   // .Orbtab
    Json,    // .json, the command-line tool's own
};
std::optional<PlanFileKind> planFileKind(const std::string& path);

// Reads the chosen paths into the (already emptied) list exactly as the Open
// command does once files are chosen. The first path's kind picks the format:
// General and Q24 read the first path only; Q9100 reads the first path
// verified and every later .Orbtab path unverified, and the number of files
// read becomes the counter. A first Orbtab file whose checksum fails ends the
// reading. Any other extension reads nothing and is reported as
// UnknownFormat. The paths after a first General or Q24 path, and the later
// paths of a Q9100 reading that are not .Orbtab files, are listed as not
// read. The list takes 255 plans at most: the plans of a file past those and
// the Orbtab files after the 255th read are not read.
OpenResult readChosenFiles(const std::vector<std::string>& paths, PlanList& plans);

// The messages that name what the list could not take: the first file with
// the number of its plans left out, or the number and the names of the files
// left out.
std::vector<Notice> notTakenNotices(const OpenResult& result);
