#include "xlsx_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace kvarton::report {

namespace {

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// "_xHHHH_" at `pos`: what a reader would take for an escaped character.
bool looksEscaped(std::string_view s, std::size_t pos)
{
    if (pos + 7 > s.size() || s[pos] != '_' || s[pos + 1] != 'x' || s[pos + 6] != '_')
        return false;
    for (std::size_t i = 2; i < 6; ++i)
        if (!isHex(s[pos + i]))
            return false;
    return true;
}

void appendEscaped(std::string& out, char32_t cp)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "_x%04X_", static_cast<unsigned>(cp));
    out += buf;
}

} // namespace

Utf8Char decodeUtf8(std::string_view s, std::size_t pos) noexcept
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[pos + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t cp = 0, minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07u, minimum = 0x10000;
    } else {
        return {};
    }
    if (pos + length > s.size())
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {};
        cp = (cp << 6) | (byte(i) & 0x3Fu);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {cp, length};
}

std::string xlsxCellText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char d = decodeUtf8(utf8, pos);
        if (d.length == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD
            ++pos;
            continue;
        }
        const char32_t cp = d.codePoint;
        if ((cp < 0x20 && cp != U'\t' && cp != U'\n') || cp == 0xFFFE || cp == 0xFFFF)
            appendEscaped(out, cp);
        else if (looksEscaped(utf8, pos))
            out += "_x005F_";
        else
            out.append(utf8.substr(pos, d.length));
        pos += d.length;
    }
    return out;
}

namespace {

std::size_t characters(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

std::string xlsxCentredHeader(std::string_view utf8)
{
    std::string out = "&C";
    for (const char c : xlsxCellText(utf8))
        out.append(c == '&' ? 2 : 1, c);
    return out;
}

std::string fittingHeaderText(std::string_view utf8, std::size_t maxCharacters)
{
    if (characters(xlsxCentredHeader(utf8)) <= maxCharacters)
        return std::string(utf8);
    std::vector<std::size_t> ends; // where each character of the text ends
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char d = decodeUtf8(utf8, i);
        i += d.length == 0 ? 1 : d.length;
        ends.push_back(i);
    }
    // The longest beginning whose header fits with the ellipsis; the stored length grows with the
    // length of the beginning.
    const auto beginning
        = [&](std::size_t count) { return std::string(utf8.substr(0, count == 0 ? 0 : ends[count - 1])) + "…"; };
    std::size_t fits = 0;
    std::size_t tooLong = ends.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = (fits + tooLong) / 2;
        if (characters(xlsxCentredHeader(beginning(middle))) <= maxCharacters)
            fits = middle;
        else
            tooLong = middle;
    }
    return beginning(fits);
}

} // namespace kvarton::report
