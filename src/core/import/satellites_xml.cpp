#include "core/import/satellites_xml.h"

#include "core/files/atomic_save.h"
#include "core/files/file_error_message.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <tuple>

#include <pugixml.hpp>

namespace {

template <typename Number> std::optional<Number> numberOf(const pugi::xml_attribute& attribute)
{
    const std::string_view text = attribute.value();
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// Why a sat element cannot be read, if it cannot.
struct SatReading {
    XmlSatellite satellite;
    std::optional<Notice> problem;
};

std::string satTitle(const pugi::xml_node& sat)
{
    return std::string("sat \"") + sat.attribute("name").value() + "\"";
}

SatReading readSat(const pugi::xml_node& sat, const std::string& file)
{
    SatReading reading;
    const auto bad = [&](const std::string& what) {
        reading.problem = Notice{msg::kBadFileContent, {file, what}};
        return reading;
    };
    const pugi::xml_attribute positionAttribute = sat.attribute("position");
    const auto position = numberOf<std::int64_t>(positionAttribute);
    if (!position)
        return bad(satTitle(sat) + ": position \"" + positionAttribute.value() + "\"");
    const auto orbital = normalisedPosition(*position);
    if (!orbital) {
        reading.problem = Notice{msg::kPositionRange, {file, std::string(positionAttribute.value())}};
        return reading;
    }
    reading.satellite = XmlSatellite{sat.attribute("name").value(), *orbital, file, {}};
    int index = 0;
    for (const pugi::xml_node& element : sat.children("transponder")) {
        ++index;
        XmlTp tp;
        const auto field = [&](const char* name, std::uint64_t& value, bool required) {
            const pugi::xml_attribute attribute = element.attribute(name);
            if (!attribute && !required)
                return true;
            const auto number = numberOf<std::uint64_t>(attribute);
            if (number)
                value = *number;
            return number.has_value();
        };
        for (const auto& [name, value, required] :
             {std::tuple<const char*, std::uint64_t&, bool>{"frequency", tp.frequency, true},
              {"symbol_rate", tp.symbolRate, true},
              {"polarization", tp.polarization, true},
              {"fec_inner", tp.fecInner, false},
              {"system", tp.system, false},
              {"modulation", tp.modulation, false},
              {"rolloff", tp.rollOff, false},
              {"pilot", tp.pilot, false}})
            if (!field(name, value, required))
                return bad(satTitle(sat) + ", transponder " + std::to_string(index) + ": " + name + " \"" +
                           element.attribute(name).value() + "\"");
        reading.satellite.tps.push_back(tp);
    }
    return reading;
}

} // namespace

XmlRead parseSatellitesXml(std::string_view text, const std::string& file)
{
    XmlRead read;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        read.problem = Notice{msg::kNotSatellitesXml,
                              {file, std::string(parsed.description()) + " at byte " + std::to_string(parsed.offset)}};
        return read;
    }
    const pugi::xml_node root = document.child("satellites");
    if (!root) {
        read.problem = Notice{msg::kNotSatellitesXml, {file, "no <satellites> element"}};
        return read;
    }
    for (const pugi::xml_node& sat : root.children("sat")) {
        auto reading = readSat(sat, file);
        if (reading.problem)
            read.leftOut.push_back(std::move(*reading.problem));
        else
            read.satellites.push_back(std::move(reading.satellite));
    }
    return read;
}

XmlRead readSatellitesXml(const std::filesystem::path& file)
{
    XmlRead read;
    // One byte past the limit tells a file that is too large from one that fits.
    const auto bytes = readFilePrefix(file, kMaxSatellitesXmlBytes + 1);
    if (bytes.error) {
        read.problem = fileErrorMessage(*bytes.error);
        return read;
    }
    if (bytes.bytes.size() > kMaxSatellitesXmlBytes) {
        read.problem = Notice{msg::kFileTooLarge, {file.string(), std::to_string(kMaxSatellitesXmlBytes)}};
        return read;
    }
    return parseSatellitesXml(std::string_view(reinterpret_cast<const char*>(bytes.bytes.data()), bytes.bytes.size()),
                              file.string());
}
