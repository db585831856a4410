#include "row_fit.h"

#include <algorithm>
#include <cstdint>

namespace kvarton::report {

namespace {

// Width of one character in units of the default font's "0": capitals and wide letters take more,
// blanks and punctuation less. Slightly generous, so that an estimate never cuts a line off.
double charWidth(std::uint32_t c)
{
    if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '(' || c == ')' || c == '-' || c == '/')
        return 0.55;
    if ((c >= 'A' && c <= 'Z') || (c >= 0x410 && c <= 0x42F) || c == 0x401) // Latin and Cyrillic capitals
        return 1.3;
    if (c == 0x448 || c == 0x449 || c == 0x436 || c == 0x44E || c == 0x43C || c == 'm' || c == 'w') // ш щ ж ю м
        return 1.4;
    return 1.05;
}

// Decodes one UTF-8 sequence at `i`, moving past it; malformed bytes count as one character.
std::uint32_t next(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i++]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    std::uint32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (; extra > 0 && i < s.size(); --extra)
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return c;
}

// Lines of one paragraph when words are moved to the next line as a whole.
int paragraphLines(std::string_view paragraph, double capacity)
{
    int lines = 1;
    double line = 0;
    double word = 0;
    double blank = 0;
    auto placeWord = [&] {
        if (line > 0 && line + blank + word > capacity) {
            ++lines;
            line = 0;
        } else if (line > 0) {
            line += blank;
        }
        while (word > capacity) { // a word longer than the cell breaks where it must
            word -= capacity;
            ++lines;
        }
        line += word;
        word = 0;
    };
    for (std::size_t i = 0; i < paragraph.size();) {
        const std::uint32_t c = next(paragraph, i);
        if (c == ' ') {
            placeWord();
            blank = charWidth(c);
        } else {
            word += charWidth(c);
        }
    }
    placeWord();
    return lines;
}

} // namespace

double fittedRowHeight(std::string_view text, double width, bool wrap)
{
    if (!wrap || text.empty())
        return kDefaultRowHeight;
    const double capacity = std::max(1.0, width - 1.0); // the cell's inner margins
    int lines = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        lines += paragraphLines(text.substr(start, end == std::string_view::npos ? end : end - start), capacity);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return kDefaultRowHeight * lines;
}

} // namespace kvarton::report
