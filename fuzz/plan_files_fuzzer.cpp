#include "import_checks.h"

#include "core/files/general_file.h"
#include "core/files/open_files.h"
#include "core/files/orbtab_file.h"
#include "core/files/plan_list_file.h"
#include "core/import/import_source.h"
#include "core/rules/model_checks.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

// Writes arbitrary bytes as a plan file or a satellites.xml file (the first
// byte picks which) and reads it as Open and Import do, by its path. Plans
// read are written in the same format and read again, which must give them
// back as they were written. Satellites keep the import's rules.
namespace {

std::string written(const std::string& name, std::span<const std::uint8_t> bytes)
{
    const auto path = fuzz_checks::ownFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

PlanList readPlans(const std::string& path)
{
    PlanList plans;
    const OpenResult result = readChosenFiles({path}, plans);
    fuzz_checks::require(plans.count() <= PlanList::kMaxPlans);
    fuzz_checks::require(result.errors.empty() || plans.count() == 0);
    return plans;
}

std::vector<std::uint8_t> encoded(const std::string& extension, const PlanList& plans)
{
    const PlanRefs refs = allPlans(plans);
    if (extension == "gnr")
        return general_file::encode(refs, false);
    if (extension == "planList")
        return plan_list_file::encode(refs);
    if (plans.count() == 0)
        return {};
    const auto image = orbtab_file::encode(plans.at(0), 1);
    return {image.begin(), image.end()};
}

// What is written is read back as the same plans: written again, they give
// the same bytes (bytes, since a General file keeps even a longitude that is
// not a number).
void roundTrip(const std::string& extension, std::span<const std::uint8_t> bytes)
{
    const PlanList first = readPlans(written("in." + extension, bytes));
    const auto once = encoded(extension, first);
    const PlanList second = readPlans(written("again." + extension, once));
    fuzz_checks::require(second.count() == first.count());
    fuzz_checks::require(encoded(extension, second) == once);
}

// An Orbtab file is read only when its checksum holds: most inputs get one.
std::vector<std::uint8_t> orbtabWithChecksum(std::span<const std::uint8_t> bytes, bool keepChecksum)
{
    orbtab_file::Image image = orbtab_file::imageOf(bytes);
    if (!keepChecksum) {
        const std::uint32_t sum = orbtab_file::checksum(std::span(image).first<orbtab_file::kChecksumOffset>());
        for (std::size_t i = 0; i < 4; ++i)
            image[orbtab_file::kChecksumOffset + i] = static_cast<std::uint8_t>(sum >> (8 * i));
    }
    return {image.begin(), image.end()};
}

void readSatellites(std::span<const std::uint8_t> bytes)
{
    const std::string path = written("satellites.xml", bytes);
    const SourceListing listing = readSource(path);
    fuzz_checks::require(listing.problems.size() <= 1);
    for (const auto* notices : {&listing.problems, &listing.leftOut})
        for (const Notice& notice : *notices)
            fuzz_checks::require(!notice.args.empty() && notice.args.front() == path);
    for (const Satellite& satellite : listing.satellites)
        fuzz_checks::checkSatellite(satellite);
    fuzz_checks::checkImport(listing.satellites, MeterModel::Q36);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    switch (data[0] % 5) {
    case 0:
        roundTrip("gnr", bytes);
        break;
    case 1:
        roundTrip("planList", bytes);
        break;
    case 2:
    case 3:
        roundTrip("Orbtab", orbtabWithChecksum(bytes, data[0] % 5 == 3));
        break;
    default:
        readSatellites(bytes);
        break;
    }
    return 0;
}
