#include "core/import/dvbv5_file.h"

#include <fstream>
#include <memory>

#include <libdvbv5/dvb-fe.h>
#include <libdvbv5/dvb-file.h>
#include <libdvbv5/dvb-v5-std.h>

namespace {

// The value the library gives a property that an entry leaves unset.
constexpr std::uint32_t kUnset = 0xFFFFFFFF;

struct FileFree {
    void operator()(dvb_file* file) const { dvb_file_free(file); }
};

// The format's text of a coded value, its number when the format names none,
// nothing when it is unset.
std::string valueText(std::uint32_t command, std::uint32_t value)
{
    if (value == kUnset)
        return {};
    const char* const* names = dvb_attr_names(static_cast<int>(command));
    for (std::uint32_t i = 0; names != nullptr && names[i] != nullptr; ++i)
        if (i == value)
            return names[i];
    return std::to_string(value);
}

std::uint64_t numberOf(std::uint32_t value)
{
    return value == kUnset ? 0 : value;
}

Dvbv5Tp tpOf(const dvb_entry& entry)
{
    Dvbv5Tp tp;
    for (unsigned i = 0; i < entry.n_props && i < DTV_MAX_COMMAND; ++i) {
        const std::uint32_t command = entry.props[i].cmd;
        const std::uint32_t value = entry.props[i].u.data;
        switch (command) {
        case DTV_DELIVERY_SYSTEM:
            tp.deliverySystem = valueText(command, value);
            break;
        case DTV_FREQUENCY:
            tp.frequency = numberOf(value);
            break;
        case DTV_SYMBOL_RATE:
            tp.symbolRate = numberOf(value);
            break;
        case DTV_INNER_FEC:
            tp.innerFec = valueText(command, value);
            break;
        case DTV_MODULATION:
            tp.modulation = valueText(command, value);
            break;
        case DTV_ROLLOFF:
            tp.rollOff = valueText(command, value);
            break;
        case DTV_PILOT:
            tp.pilot = valueText(command, value);
            break;
        case DTV_POLARIZATION:
            tp.polarization = valueText(command, value);
            break;
        default:
            break;
        }
    }
    return tp;
}

Dvbv5Read problem(MessageId message, std::vector<std::string> args)
{
    return {std::nullopt, Notice{message, std::move(args)}};
}

} // namespace

Dvbv5Read readDvbv5File(const std::filesystem::path& file)
{
    const std::string path = file.string();
    // The library reports an unopenable file only on stderr; it is told apart here.
    if (std::error_code error; !std::filesystem::is_regular_file(file, error) || !std::ifstream(file).is_open())
        return problem(msg::kOpenFileFailed, {path});
    const auto name = scanFileNameOf(file.filename().string());
    if (!name)
        return problem(msg::kNoPositionInName, {path});
    if (!name->position.inRange())
        return problem(msg::kPositionRange, {path, positionText(name->position)});
    const std::unique_ptr<dvb_file, FileFree> parsed(dvb_read_file_format(path.c_str(), SYS_UNDEFINED, FILE_DVBV5));
    if (!parsed)
        return problem(msg::kNotScanFile, {path});
    Dvbv5Satellite satellite{name->satellite, name->position, path, {}};
    for (const dvb_entry* entry = parsed->first_entry; entry != nullptr; entry = entry->next)
        satellite.tps.push_back(tpOf(*entry));
    return {std::move(satellite), std::nullopt};
}
