#include "row_fit.h"

#include "xlsx_text.h"

#include <algorithm>

namespace kvarton::report {

namespace {

// Width of one character in units of the default font's "0": capitals and wide letters take more,
// blanks and punctuation less. Slightly generous, so that an estimate never cuts a line off.
double charWidth(char32_t c)
{
    if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '(' || c == ')' || c == '-' || c == '/')
        return 0.55;
    if ((c >= 'A' && c <= 'Z') || (c >= 0x410 && c <= 0x42F) || c == 0x401) // Latin and Cyrillic capitals
        return 1.3;
    if (c == 0x448 || c == 0x449 || c == 0x436 || c == 0x44E || c == 0x43C || c == 'm' || c == 'w') // ш щ ж ю м
        return 1.4;
    return 1.05;
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
        const Utf8Char d = decodeUtf8(paragraph, i);
        const char32_t c = d.length == 0 ? U'\uFFFD' : d.codePoint; // as the writer stores a stray byte
        i += d.length == 0 ? 1 : d.length;
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

std::map<int, double> fittedRowHeights(const Sheet& sheet)
{
    std::map<int, double> widths;
    for (const Column& c : sheet.columns)
        widths[c.column] = c.width;
    const auto widthOf = [&](int column) {
        const auto c = widths.find(column);
        return c == widths.end() ? kDefaultColumnWidth : c->second;
    };
    std::map<int, double> heights;
    for (const Cell& cell : sheet.cells) {
        const auto* text = std::get_if<std::string>(&cell.value);
        if (!text)
            continue;
        double width = widthOf(cell.column);
        bool covered = false;
        for (const Merge& m : sheet.merges) {
            if (cell.row < m.firstRow || cell.row > m.lastRow || cell.column < m.firstColumn
                || cell.column > m.lastColumn)
                continue;
            covered = cell.row != m.firstRow || cell.column != m.firstColumn;
            width = 0;
            for (int c = m.firstColumn; c <= m.lastColumn; ++c)
                width += widthOf(c);
        }
        const double height = fittedRowHeight(*text, width, sheet.styles.at(static_cast<std::size_t>(cell.style)).wrap);
        if (!covered && height > kDefaultRowHeight)
            heights[cell.row] = std::max(heights[cell.row], height);
    }
    return heights;
}

} // namespace kvarton::report
