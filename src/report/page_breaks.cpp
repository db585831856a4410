#include "page_breaks.h"

#include "row_fit.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace kvarton::report {

namespace {

// A column's width in points: a width of w characters is w × 7 + 5 pixels of the default font.
double columnPoints(double characters) { return std::trunc(characters * 7.0 + 5.0) * 0.75; }

double printScale(const Sheet& sheet)
{
    if (!sheet.page.fitToPageWidth)
        return sheet.page.scale / 100.0;
    double width = 0;
    for (const Column& c : sheet.columns)
        width += columnPoints(c.width);
    return width > kA4ColumnsWidth ? kA4ColumnsWidth / width : 1.0;
}

} // namespace

std::vector<int> headKeepingBreaks(const Sheet& sheet, int headStyle, double pageHeight)
{
    std::set<int> heads;
    int lastRow = 0;
    for (const Cell& cell : sheet.cells) {
        lastRow = std::max(lastRow, cell.row);
        if (cell.style == headStyle)
            heads.insert(cell.row);
    }
    const auto height = [&](int row) {
        const auto found = sheet.rowHeights.find(row);
        return found == sheet.rowHeights.end() ? kDefaultRowHeight : found->second;
    };
    const double page = pageHeight / printScale(sheet);
    // A table runs from its head to the row before the next head (or the sheet's last row).
    const auto tableHeight = [&](int head, bool whole) {
        double sum = 0;
        int row = head;
        for (; heads.contains(row); ++row)
            sum += height(row);
        for (sum += height(row++); whole && row <= lastRow && !heads.contains(row); ++row)
            sum += height(row);
        return sum;
    };
    std::vector<int> breaks;
    double used = 0; // of the page the row begins on
    for (int row = 1; row <= lastRow; ++row) {
        if (heads.contains(row) && !heads.contains(row - 1) && used > 0) {
            // A table that fits a page goes whole onto one; a longer one keeps at least its head
            // and first row together.
            const double table = tableHeight(row, true);
            const double needed = table <= page ? table : tableHeight(row, false);
            if (used + needed > page) {
                breaks.push_back(row);
                used = 0;
            }
        }
        if (used > 0 && used + height(row) > page) // the spreadsheet's own break
            used = 0;
        used += height(row);
    }
    return breaks;
}

} // namespace kvarton::report
