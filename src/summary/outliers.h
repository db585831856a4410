#pragma once

#include "summary_rows.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kvarton::summary {

// Which figures of a group lie far from the group's typical value, so that the teacher sees whom
// to ask about which figure. The rule is robust, one learner's slip does not move it: a figure is
// far when it lies more than three median absolute deviations from the median of its column.
// When more than half of the column agree exactly (the deviation is 0), the mean absolute
// deviation × 1,2533 (which equals the median deviation for normally spread figures) takes its
// place; a column whose figures are all equal marks none. Columns with fewer than three figures
// mark none: there is no group to compare with.
inline constexpr double kFarDeviations = 3.0;
inline constexpr std::size_t kFewestCompared = 3;

// For one column: whether each value is far; a missing value (a text or an error panel) is not.
std::vector<bool> farFromTypical(std::span<const std::optional<double>> values);

// The same for every figure column of `rows`: [row][column of summaryColumns()].
std::vector<std::vector<bool>> farFigures(const std::vector<SummaryRow>& rows);

// The rule in the teacher's words, for the group's screen.
std::string_view farRuleText();

} // namespace kvarton::summary
