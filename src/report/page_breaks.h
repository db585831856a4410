#pragma once

#include "workbook.h"

#include <vector>

namespace kvarton::report {

// The printed A4 page, portrait, within the margins the writer leaves as they are (0,7" left and
// right, 0,75" top and bottom): the room the rows and columns fill, in points.
inline constexpr double kA4RowsHeight = 733.0;
inline constexpr double kA4ColumnsWidth = 494.0;

// The rows before which a printed page must begin so that no table head (a row of cells of style
// `headStyle`, with the head rows right under it) stands at the foot of a page apart from its rows:
// a table that fits a page begins one where it would not fit the rest of the page before, and a
// longer table at least keeps its head with its first row. Whole tables on their pages hold in a
// spreadsheet whose margins leave somewhat less room too: its own breaks then fall within a
// table, far below its head. Pages are counted as a spreadsheet fills them: rows of their heights
// (the default where the sheet gives none) one after another, each page as high as `pageHeight`
// at the sheet's print scale (smaller when its columns are fitted into a narrower page).
std::vector<int> headKeepingBreaks(const Sheet& sheet, int headStyle, double pageHeight = kA4RowsHeight);

} // namespace kvarton::report
