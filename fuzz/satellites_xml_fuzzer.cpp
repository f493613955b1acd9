#include "core/import/plan_import.h"
#include "core/import/satellites_xml.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Reads arbitrary text as a satellites.xml document and makes plans of what
// it gave.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto read = parseSatellitesXml(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml");
    std::vector<Satellite> satellites;
    for (const auto& satellite : read.satellites)
        satellites.push_back(satelliteOf(satellite));
    importSatellites(satellites, PlanList{}, MeterModel::Q36, 0);
    return 0;
}
