#include "import_checks.h"

#include "core/import/dvbv5_file.h"
#include "core/import/import_source.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

// Writes arbitrary bytes as a scan file and reads it as the import does, by
// its path: through the line checks into the scan-file library. The file is
// refused with a reason, or its satellite's TPs keep the rules (or are left
// out with theirs), and the plans made of it keep the plan rules. The text
// the checks give the library passes them again unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file = fuzz_checks::ownFolder() / "Fuzz-19.2E";
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));

    const SourceListing listing = readSource(file);
    fuzz_checks::require(listing.satellites.size() + listing.problems.size() == 1);
    for (const Notice& problem : listing.problems)
        fuzz_checks::require(!problem.args.empty() && problem.args.front() == file.string());
    for (const Satellite& satellite : listing.satellites)
        fuzz_checks::checkSatellite(satellite);
    const bool storable = std::any_of(listing.satellites.begin(), listing.satellites.end(),
                                      [](const Satellite& satellite) { return satellite.storableCount() > 0; });
    if (storable)
        fuzz_checks::checkImport(listing.satellites, size % 2 == 0 ? MeterModel::General : MeterModel::Q24);

    const ScanText checked = checkScanText(bytes, "fuzz");
    fuzz_checks::require(checked.problem.has_value() == !listing.problems.empty() || size > kMaxScanFileBytes);
    if (!checked.problem) {
        const ScanText again = checkScanText(checked.text, "fuzz");
        fuzz_checks::require(!again.problem && again.text == checked.text);
    }
    return 0;
}
