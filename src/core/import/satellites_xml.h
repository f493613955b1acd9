#pragma once

#include "core/import/satellite.h"
#include "core/import/satellites_xml_mapping.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Reading a satellites.xml document with an XML parser.
struct XmlRead {
    std::vector<XmlSatellite> satellites; // in the document's order
    std::vector<Notice> problems;         // each names the file and what is wrong
};

// The satellites of a document read from `file`. A document that does not
// parse, or whose root is not "satellites", gives one problem and no
// satellites. A "sat" whose position is missing, not a number or beyond 180
// degrees, or one of whose transponders lacks a frequency, symbol rate or
// polarization or has an attribute that is not a number, gives a problem and
// is left out; the others are read.
XmlRead parseSatellitesXml(std::string_view text, const std::string& file);

// The same for the contents of a file; one that cannot be read gives a
// problem.
XmlRead readSatellitesXml(const std::filesystem::path& file);
