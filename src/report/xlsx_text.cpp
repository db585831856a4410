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

namespace {

// Hands each character of `utf8` to `store` as the file stores it, with the position after it.
template <typename Store>
void storedCharacters(std::string_view utf8, Store&& store)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char d = decodeUtf8(utf8, pos);
        if (d.length == 0) {
            store(std::string_view("\xEF\xBF\xBD"), ++pos); // U+FFFD
            continue;
        }
        const char32_t cp = d.codePoint;
        const std::size_t next = pos + d.length;
        if ((cp < 0x20 && cp != U'\t' && cp != U'\n') || cp == 0xFFFE || cp == 0xFFFF) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "_x%04X_", static_cast<unsigned>(cp));
            store(std::string_view(escaped), next);
        } else if (looksEscaped(utf8, pos)) {
            store(std::string_view("_x005F_"), next);
        } else {
            store(utf8.substr(pos, d.length), next);
        }
        pos = next;
    }
}

// UTF-16 code units of well-formed UTF-8: one per character, two for one of four bytes.
std::size_t utf16Length(std::string_view utf8) noexcept
{
    std::size_t n = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        n += (byte & 0xC0) != 0x80 ? 1 : 0;
        n += (byte & 0xF8) == 0xF0 ? 1 : 0;
    }
    return n;
}

} // namespace

std::string xlsxCellText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    storedCharacters(utf8, [&](std::string_view stored, std::size_t) { out += stored; });
    return out;
}

std::size_t cellTextLength(std::string_view utf8) noexcept
{
    std::size_t length = 0;
    storedCharacters(utf8, [&](std::string_view stored, std::size_t) { length += utf16Length(stored); });
    return length;
}

std::string fittingCellText(std::string_view utf8, std::size_t maxLength)
{
    maxLength = std::min(maxLength, kMaxCellText);
    if (cellTextLength(utf8) <= maxLength)
        return std::string(utf8);
    const std::string_view ellipsis = "…";
    std::size_t length = utf16Length(ellipsis), end = 0;
    bool full = false;
    storedCharacters(utf8, [&](std::string_view stored, std::size_t after) {
        full = full || length + utf16Length(stored) > maxLength;
        if (!full) {
            length += utf16Length(stored);
            end = after;
        }
    });
    return std::string(utf8.substr(0, end)) + std::string(ellipsis);
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
