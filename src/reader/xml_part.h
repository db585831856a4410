#pragma once

#include "refusal.h"

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>

namespace kvarton::reader {

// One XML part of a package, parsed in place (the document points into `text`). pugixml expands
// no entity but the five of XML and character references, and loads no external file; a DOCTYPE,
// which no workbook part has, is refused outright.
struct XmlPart {
    std::string text;
    pugi::xml_document document;
};

Read<std::unique_ptr<XmlPart>> parseXmlPart(std::string text, std::string_view partName);

// Element and attribute names without their namespace prefix ("x:row" → "row"): writers differ in
// the prefixes they choose, never in the names.
std::string_view localName(const char* name) noexcept;

// The first child element of `node` with this local name.
pugi::xml_node child(pugi::xml_node node, std::string_view name) noexcept;

// The text of an element: its character data, CDATA included, joined.
std::string textOf(pugi::xml_node node);

} // namespace kvarton::reader
