#pragma once

#include <string_view>

namespace kvarton::report {

// The height of a row (points) that shows the whole of `text` in a cell `width` characters wide
// ("0" of the default font as the unit), wrapped at blanks when `wrap` is set: what a
// spreadsheet's automatic fit arrives at, estimated from the characters' usual widths.
double fittedRowHeight(std::string_view text, double width, bool wrap);

inline constexpr double kDefaultRowHeight = 15.0;

} // namespace kvarton::report
