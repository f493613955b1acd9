#pragma once

#include "core/import/satellite.h"

#include <filesystem>
#include <vector>

// The satellites of a source the user names: a satellites.xml file, one DVBv5
// scan file, or a folder of them.
struct SourceListing {
    std::vector<Satellite> satellites;
    // Satellites that cannot be read (a "sat" of a satellites.xml file, a
    // scan file of a folder), each naming its file and why; the others are
    // read all the same.
    std::vector<Notice> leftOut;
    // The source cannot be read at all: each names the file or folder and
    // what is wrong.
    std::vector<Notice> problems;
};

// The folder where the distribution's scan tables keep their DVB-S files.
std::filesystem::path defaultScanFolder();

// Reads a source: a folder's regular files in name order as scan files, a
// file whose name ends in ".xml" as a satellites.xml document, any other file
// as a scan file. A missing source, a folder without files or a single file
// that cannot be read is a problem; a scan file of a folder or a "sat" of a
// document that cannot be read is left out, and the others are listed.
SourceListing readSource(const std::filesystem::path& source);
