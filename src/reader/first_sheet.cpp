#include "first_sheet.h"

#include "read_problem.h"
#include "xml_part.h"

#include "report/workbook.h"
#include "report/xlsx_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace kvarton::reader {

namespace {

// --- Part names --------------------------------------------------------------------------------

std::string_view folderOf(std::string_view part)
{
    const auto slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
}

// The relationships of a part: "xl/workbook.xml" → "xl/_rels/workbook.xml.rels".
std::string relationshipsOf(std::string_view part)
{
    const std::string_view folder = folderOf(part);
    return std::string(folder) + "_rels/" + std::string(part.substr(folder.size())) + ".rels";
}

// A relationship's target as a part name: relative to the source's folder, or from the top with
// a leading '/'. nullopt for a target that climbs out of the package.
std::optional<std::string> resolve(std::string_view folder, std::string_view target)
{
    std::string joined
        = target.starts_with('/') ? std::string(target.substr(1)) : std::string(folder) + std::string(target);
    std::vector<std::string_view> segments;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const auto slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (segment.empty() || segment == ".")
            continue;
        if (segment == "..") {
            if (segments.empty())
                return std::nullopt;
            segments.pop_back();
        } else {
            segments.push_back(segment);
        }
    }
    std::string path;
    for (const std::string_view s : segments)
        path.append(path.empty() ? "" : "/").append(s);
    return path;
}

struct Relationship {
    std::string type;
    std::string target; // as a part name, empty for an external target
};

// --- Reading parts -----------------------------------------------------------------------------

// The parsed part, or nullptr when the package has none of that name.
Read<std::unique_ptr<XmlPart>> readXml(ZipPackage& package, const std::string& name)
{
    auto bytes = package.part(name);
    if (const Refusal* r = refusal(bytes))
        return *r;
    auto& text = std::get<std::optional<std::string>>(bytes);
    if (!text)
        return std::unique_ptr<XmlPart>();
    return parseXmlPart(std::move(*text), name);
}

// A part the workbook cannot do without.
Read<std::unique_ptr<XmlPart>> readRequiredXml(ZipPackage& package, const std::string& name)
{
    auto part = readXml(package, name);
    if (const auto* xml = std::get_if<std::unique_ptr<XmlPart>>(&part); xml && !*xml)
        return Refusal{why::missingPart(name)};
    return part;
}

// The relationships of `source` by id; none when it has no relationship part.
Read<std::vector<std::pair<std::string, Relationship>>> readRelationships(ZipPackage& package, std::string_view source)
{
    auto part = readXml(package, relationshipsOf(source));
    if (const Refusal* r = refusal(part))
        return *r;
    std::vector<std::pair<std::string, Relationship>> found;
    const auto& xml = std::get<std::unique_ptr<XmlPart>>(part);
    if (!xml)
        return found;
    const pugi::xml_node root = child(xml->document, "Relationships");
    for (pugi::xml_node r = root.first_child(); r; r = r.next_sibling()) {
        if (r.type() != pugi::node_element || localName(r.name()) != "Relationship")
            continue;
        Relationship relationship{r.attribute("Type").value(), {}};
        if (std::string_view(r.attribute("TargetMode").value()) != "External")
            relationship.target = resolve(folderOf(source), r.attribute("Target").value()).value_or("");
        found.emplace_back(r.attribute("Id").value(), std::move(relationship));
    }
    return found;
}

std::string targetOfType(const std::vector<std::pair<std::string, Relationship>>& relationships, std::string_view type)
{
    for (const auto& [id, r] : relationships)
        if (std::string_view(r.type).ends_with(type))
            return r.target;
    return {};
}

// --- Cells -------------------------------------------------------------------------------------

struct Address {
    int row = 0;
    int column = 0;
};

// "B12" → row 12, column 1, within the largest sheet.
std::optional<Address> parseAddress(std::string_view text, const ReadLimits& limits)
{
    std::size_t i = 0;
    int column = 0;
    for (; i < text.size() && i < 4; ++i) {
        const char c = text[i];
        if (c >= 'A' && c <= 'Z')
            column = column * 26 + (c - 'A' + 1);
        else if (c >= 'a' && c <= 'z')
            column = column * 26 + (c - 'a' + 1);
        else
            break;
    }
    int row = 0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), row);
    if (i == 0 || column > limits.columns || ec != std::errc() || end != text.data() + text.size() || row < 1
        || row > limits.rows)
        return std::nullopt;
    return Address{row, column - 1};
}

std::optional<int> parseRowNumber(std::string_view text, const ReadLimits& limits)
{
    int row = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (ec != std::errc() || end != text.data() + text.size() || row < 1 || row > limits.rows)
        return std::nullopt;
    return row;
}

std::optional<double> parseDouble(std::string_view text)
{
    text = trimmed(text);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        if (cp >= 0xD800 && cp <= 0xDFFF) // half a pair: no character on its own
            cp = 0xFFFD;
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The characters XML cannot carry are written "_xHHHH_" in a workbook, and a literal "_x" that
// looks like one has its underscore written "_x005F_".
std::string unescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '_' && i + 7 <= text.size() && text[i + 1] == 'x' && text[i + 6] == '_' && isHex(text[i + 2])
            && isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5])) {
            std::uint32_t cp = 0;
            std::from_chars(text.data() + i + 2, text.data() + i + 6, cp, 16);
            appendUtf8(out, static_cast<char32_t>(cp));
            i += 7;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The text of a shared or inline string: its own text, or its rich-text runs joined; the
// phonetic hints of East Asian texts are no part of it.
std::string stringItemText(pugi::xml_node item)
{
    std::string text;
    for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        const std::string_view name = localName(c.name());
        if (name == "t")
            text += textOf(c);
        else if (name == "r")
            text += textOf(child(c, "t"));
    }
    return unescaped(text);
}

class SheetReader final {
public:
    SheetReader(SheetBlock& block, const ReadLimits& limits, std::string part)
        : block_(block)
        , limits_(limits)
        , part_(std::move(part))
    {
    }

    // Reads every row of sheetData; what falls in the block is kept.
    std::optional<Refusal> read(pugi::xml_node sheetData)
    {
        int row = 0;
        for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling()) {
            if (r.type() != pugi::node_element || localName(r.name()) != "row")
                continue;
            if (const pugi::xml_attribute number = r.attribute("r")) {
                const auto parsed = parseRowNumber(number.value(), limits_);
                if (!parsed)
                    return Refusal{why::badCellAddress(part_, number.value())};
                row = *parsed;
            } else if (++row > limits_.rows) {
                return Refusal{why::badCellAddress(part_, std::to_string(row))};
            }
            if (auto refused = readRow(r, row))
                return refused;
        }
        return std::nullopt;
    }

    // The cells that hold a shared string, and the string's number.
    std::vector<std::pair<Address, std::size_t>>& sharedStrings() { return shared_; }

private:
    std::optional<Refusal> readRow(pugi::xml_node rowNode, int row)
    {
        int column = -1;
        for (pugi::xml_node c = rowNode.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || localName(c.name()) != "c")
                continue;
            Address at{row, column + 1};
            if (const pugi::xml_attribute ref = c.attribute("r")) {
                const auto parsed = parseAddress(ref.value(), limits_);
                if (!parsed)
                    return Refusal{why::badCellAddress(part_, ref.value())};
                at = *parsed;
            } else if (at.column >= limits_.columns) {
                return Refusal{why::badCellAddress(part_, report::cellAddress(row, at.column))};
            }
            column = at.column;
            if (at.row <= block_.rows() && at.column < block_.columns())
                if (auto refused = readCell(c, at))
                    return refused;
        }
        return std::nullopt;
    }

    std::optional<Refusal> readCell(pugi::xml_node c, Address at)
    {
        SheetCell& cell = block_.at(at.row, at.column);
        cell = SheetCell{};
        const std::string_view type = c.attribute("t").value();
        const pugi::xml_node value = child(c, "v");
        if (type == "s") {
            const std::string index(trimmed(textOf(value)));
            std::size_t n = 0;
            const auto [end, ec] = std::from_chars(index.data(), index.data() + index.size(), n);
            if (index.empty() || ec != std::errc() || end != index.data() + index.size())
                return Refusal{why::damagedPart(part_)};
            shared_.emplace_back(at, n);
            cell.kind = SheetCell::Kind::Text;
            return std::nullopt;
        }
        if (type == "inlineStr" || type == "str") {
            cell.kind = SheetCell::Kind::Text;
            cell.text = type == "str" ? unescaped(textOf(value)) : stringItemText(child(c, "is"));
            return checkLength(cell, at);
        }
        if (!value)
            return std::nullopt; // a cell with a style and nothing in it
        cell.text = textOf(value);
        if (type.empty() || type == "n") {
            if (const auto number = parseDouble(cell.text)) {
                cell.kind = SheetCell::Kind::Number;
                cell.number = *number;
                return std::nullopt;
            }
        }
        cell.kind = SheetCell::Kind::Other;
        return checkLength(cell, at);
    }

    std::optional<Refusal> checkLength(const SheetCell& cell, Address at) const
    {
        if (report::cellTextLength(cell.text) > limits_.cellCharacters)
            return Refusal{why::textTooLong(report::cellAddress(at.row, at.column), limits_.cellCharacters)};
        return std::nullopt;
    }

    SheetBlock& block_;
    const ReadLimits& limits_;
    std::string part_;
    std::vector<std::pair<Address, std::size_t>> shared_;
};

// Fills the cells that hold shared strings from the workbook's table of them.
std::optional<Refusal> fillSharedStrings(ZipPackage& package, const std::string& part,
    std::vector<std::pair<Address, std::size_t>>& wanted, SheetBlock& block, const ReadLimits& limits)
{
    auto xml = readRequiredXml(package, part);
    if (const Refusal* r = refusal(xml))
        return *r;
    const auto& sst = std::get<std::unique_ptr<XmlPart>>(xml);
    std::sort(wanted.begin(), wanted.end(), [](const auto& x, const auto& y) { return x.second < y.second; });
    auto next = wanted.begin();
    std::size_t index = 0;
    const pugi::xml_node table = child(sst->document, "sst");
    for (pugi::xml_node si = table.first_child(); si && next != wanted.end(); si = si.next_sibling()) {
        if (si.type() != pugi::node_element || localName(si.name()) != "si")
            continue;
        if (next->second == index) {
            const std::string text = stringItemText(si);
            const bool tooLong = report::cellTextLength(text) > limits.cellCharacters;
            for (; next != wanted.end() && next->second == index; ++next) {
                const Address at = next->first;
                if (tooLong)
                    return Refusal{why::textTooLong(report::cellAddress(at.row, at.column), limits.cellCharacters)};
                block.at(at.row, at.column).text = text;
            }
        }
        ++index;
    }
    if (next != wanted.end()) // a number beyond the table
        return Refusal{why::damagedPart(part)};
    return std::nullopt;
}

} // namespace

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

SheetBlock::SheetBlock(int rows, int columns)
    : rows_(rows)
    , columns_(columns)
    , cells_(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns))
{
}

const SheetCell& SheetBlock::at(int row, int column) const
{
    return cells_.at(
        static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column));
}

SheetCell& SheetBlock::at(int row, int column)
{
    return cells_.at(
        static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column));
}

Read<SheetBlock> readFirstSheet(ZipPackage& package, int rows, int columns, const ReadLimits& limits)
{
    // The package's relationships name the workbook; a package without them is taken to keep it
    // where spreadsheet programs do.
    auto top = readRelationships(package, "");
    if (const Refusal* r = refusal(top))
        return *r;
    std::string workbookPart = targetOfType(std::get<0>(top), "/officeDocument");
    if (workbookPart.empty())
        workbookPart = "xl/workbook.xml";

    auto workbookXml = readRequiredXml(package, workbookPart);
    if (const Refusal* r = refusal(workbookXml))
        return *r;
    const auto& workbook = std::get<std::unique_ptr<XmlPart>>(workbookXml);
    const pugi::xml_node firstSheet = child(child(child(workbook->document, "workbook"), "sheets"), "sheet");
    std::string_view id;
    for (pugi::xml_attribute a = firstSheet.first_attribute(); a; a = a.next_attribute())
        if (std::string_view name = a.name(); name != localName(a.name()) && localName(a.name()) == "id")
            id = a.value();
    if (!firstSheet || id.empty())
        return Refusal{why::noSheet()};

    auto relationships = readRelationships(package, workbookPart);
    if (const Refusal* r = refusal(relationships))
        return *r;
    const auto& byId = std::get<0>(relationships);
    std::string sheetPart;
    for (const auto& [relationshipId, r] : byId)
        if (relationshipId == id)
            sheetPart = r.target;
    if (sheetPart.empty())
        return Refusal{why::noSheet()};

    auto sheetXml = readRequiredXml(package, sheetPart);
    if (const Refusal* r = refusal(sheetXml))
        return *r;
    const auto& sheet = std::get<std::unique_ptr<XmlPart>>(sheetXml);

    SheetBlock block(rows, columns);
    SheetReader reader(block, limits, sheetPart);
    if (auto refused = reader.read(child(child(sheet->document, "worksheet"), "sheetData")))
        return *refused;
    if (!reader.sharedStrings().empty()) {
        std::string stringsPart = targetOfType(byId, "/sharedStrings");
        if (stringsPart.empty())
            stringsPart = std::string(folderOf(workbookPart)) + "sharedStrings.xml";
        if (auto refused = fillSharedStrings(package, stringsPart, reader.sharedStrings(), block, limits))
            return *refused;
    }
    return block;
}

} // namespace kvarton::reader
