#include "xml_part.h"

#include "read_problem.h"

#include <cstring>

namespace kvarton::reader {

Read<std::unique_ptr<XmlPart>> parseXmlPart(std::string text, std::string_view partName)
{
    auto part = std::make_unique<XmlPart>();
    part->text = std::move(text);
    // parse_doctype keeps a DOCTYPE as a node, to be refused; parse_ws_pcdata_single keeps a text
    // of blanks alone, as a learner may have typed it.
    constexpr unsigned kOptions = pugi::parse_default | pugi::parse_doctype | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result parsed
        = part->document.load_buffer_inplace(part->text.data(), part->text.size(), kOptions, pugi::encoding_auto);
    for (pugi::xml_node node : part->document.children())
        if (node.type() == pugi::node_doctype)
            return Refusal{why::doctype(partName)};
    if (!parsed)
        return Refusal{why::badXml(partName)};
    return part;
}

std::string_view localName(const char* name) noexcept
{
    const char* colon = std::strrchr(name, ':');
    return colon ? std::string_view(colon + 1) : std::string_view(name);
}

pugi::xml_node child(pugi::xml_node node, std::string_view name) noexcept
{
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c.name()) == name)
            return c;
    return {};
}

std::string textOf(pugi::xml_node node)
{
    std::string text;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            text += c.value();
    return text;
}

} // namespace kvarton::reader
