#pragma once

#include "core/import/satellite.h"
#include "core/import/satellites_xml_mapping.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading a satellites.xml document with an XML parser.
struct XmlRead {
    std::vector<XmlSatellite> satellites; // in the document's order
    std::vector<Notice> leftOut;          // each satellite that cannot be read, naming the file and why
    std::optional<Notice> problem;        // the document as a whole cannot be read
};

// The largest document read: the satellites of every receiver list fit well.
inline constexpr std::size_t kMaxSatellitesXmlBytes = 64 * 1024 * 1024;

// The satellites of a document read from `file`. A document that does not
// parse, or whose root is not "satellites", is a problem and gives no
// satellites. Positions are brought into 180.0W..180.0E (normalisedPosition).
// A "sat" whose position is missing, not a number or a full turn or more, or
// one of whose transponders lacks a frequency, symbol rate or polarization or
// has an attribute that is not a number, is left out with its reason; the
// others are read.
XmlRead parseSatellitesXml(std::string_view text, const std::string& file);

// The same for the contents of a file; one that cannot be read, or that is
// larger than kMaxSatellitesXmlBytes, is a problem.
XmlRead readSatellitesXml(const std::filesystem::path& file);
