#pragma once

#include "core/import/dvbv5_mapping.h"
#include "core/import/satellite.h"

#include <filesystem>
#include <optional>

// Reading a DVBv5 scan file through the library made for the format.
struct Dvbv5Read {
    std::optional<Dvbv5Satellite> satellite;
    std::optional<Notice> problem; // names the file and what is wrong with it
};

// The satellite of a scan file: its name and position from the file name,
// its entries from the file. A file whose name gives no position (or one
// beyond 180 degrees), that cannot be opened or that the library cannot
// parse gives a problem instead.
Dvbv5Read readDvbv5File(const std::filesystem::path& file);
