#pragma once

#include "core/import/satellite.h"

#include <filesystem>
#include <vector>

// The satellites of a source the user names: a satellites.xml file, one DVBv5
// scan file, or a folder of them.
struct SourceListing {
    std::vector<Satellite> satellites;
    std::vector<Notice> problems; // each names the file or folder and what is wrong
};

// The folder where the distribution's scan tables keep their DVB-S files.
std::filesystem::path defaultScanFolder();

// Reads a source: a folder's regular files in name order as scan files, a
// file whose name ends in ".xml" as a satellites.xml document, any other file
// as a scan file. A missing source, or a folder without files, is a problem.
// Satellites whose files are read go on the list even when others are not.
SourceListing readSource(const std::filesystem::path& source);
