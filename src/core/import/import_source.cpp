#include "core/import/import_source.h"

#include "core/import/dvbv5_file.h"
#include "core/import/dvbv5_mapping.h"
#include "core/import/satellites_xml.h"
#include "core/import/satellites_xml_mapping.h"

#include <algorithm>

namespace {

void addScanFile(const std::filesystem::path& file, std::vector<Notice>& unread, SourceListing& listing)
{
    auto read = readDvbv5File(file);
    if (read.problem)
        unread.push_back(std::move(*read.problem));
    else
        listing.satellites.push_back(satelliteOf(*read.satellite));
}

void addScanFolder(const std::filesystem::path& folder, SourceListing& listing)
{
    std::error_code error;
    std::vector<std::filesystem::path> files;
    // Everything but a folder is a scan file to the user who put it there: one
    // that cannot be read (a FIFO, a device, a broken link) is left out by name.
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (std::error_code kind; !entry.is_directory(kind))
            files.push_back(entry.path());
    if (error) {
        listing.problems.push_back({msg::kOpenFileFailed, {folder.string()}});
        return;
    }
    if (files.empty()) {
        listing.problems.push_back({msg::kNoSatelliteFiles, {folder.string()}});
        return;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
        addScanFile(file, listing.leftOut, listing);
}

} // namespace

std::filesystem::path defaultScanFolder()
{
    return "/usr/share/dvb/dvb-s";
}

SourceListing readSource(const std::filesystem::path& source)
{
    SourceListing listing;
    std::error_code error;
    if (std::filesystem::is_directory(source, error)) {
        addScanFolder(source, listing);
    } else if (source.extension() == ".xml") {
        auto read = readSatellitesXml(source);
        if (read.problem)
            listing.problems.push_back(std::move(*read.problem));
        listing.leftOut = std::move(read.leftOut);
        for (const auto& satellite : read.satellites)
            listing.satellites.push_back(satelliteOf(satellite));
    } else {
        addScanFile(source, listing.problems, listing);
    }
    return listing;
}
