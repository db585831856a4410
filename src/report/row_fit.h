#pragma once

#include "workbook.h"

#include <map>
#include <string_view>

namespace kvarton::report {

inline constexpr double kDefaultRowHeight = 15.0;

// The height of a row (points) that shows the whole of `text` in a cell `width` characters wide
// ("0" of the default font as the unit), wrapped at blanks when `wrap` is set: what a
// spreadsheet's automatic fit arrives at, estimated from the characters' usual widths.
double fittedRowHeight(std::string_view text, double width, bool wrap);

// The rows of `sheet` that its texts make taller than the default, with their heights; a merged
// block's text has the width of all its columns. Not every spreadsheet fits rows to their content
// when it opens a file, so layouts write these heights with the sheet.
std::map<int, double> fittedRowHeights(const Sheet& sheet);

} // namespace kvarton::report
