#include "cell_range.h"

namespace kvarton::report {

namespace {

struct Cursor {
    std::string_view text;
    std::size_t pos = 0;

    bool atEnd() const noexcept { return pos == text.size(); }

    // Column letters, case-insensitive; -1 when there are none or too many.
    int column() noexcept
    {
        int value = 0;
        const std::size_t start = pos;
        for (; pos < text.size(); ++pos) {
            char c = text[pos];
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            if (c < 'A' || c > 'Z')
                break;
            value = value * 26 + (c - 'A' + 1);
            if (value > kMaxColumn + 1)
                return -1;
        }
        return pos == start ? -1 : value - 1;
    }

    // Row digits without leading zeros; -1 when there are none or the row lies off the sheet.
    int row() noexcept
    {
        const std::size_t start = pos;
        long value = 0;
        for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
            value = value * 10 + (text[pos] - '0');
            if (value > kMaxRow)
                return -1;
        }
        if (pos == start || text[start] == '0')
            return -1;
        return static_cast<int>(value);
    }

    bool skip(char c) noexcept
    {
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
};

} // namespace

std::optional<CellRange> parseRange(std::string_view text) noexcept
{
    Cursor in{text};
    CellRange r;
    r.firstColumn = in.column();
    if (r.firstColumn < 0)
        return std::nullopt;
    if (in.skip(':')) { // whole columns "A:D"
        r.lastColumn = in.column();
        if (r.lastColumn < r.firstColumn || !in.atEnd())
            return std::nullopt;
        r.firstRow = 1;
        r.lastRow = kMaxRow;
        r.wholeColumns = true;
        return r;
    }
    r.firstRow = in.row();
    if (r.firstRow < 0)
        return std::nullopt;
    r.lastRow = r.firstRow;
    r.lastColumn = r.firstColumn;
    if (in.skip(':')) {
        r.lastColumn = in.column();
        r.lastRow = in.row();
        if (r.lastColumn < r.firstColumn || r.lastRow < r.firstRow)
            return std::nullopt;
    }
    if (!in.atEnd())
        return std::nullopt;
    return r;
}

std::string columnName(int column)
{
    std::string name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

std::string cellAddress(int row, int column) { return columnName(column) + std::to_string(row); }

} // namespace kvarton::report
