#pragma once

#include "calc/panels.h"

#include <span>
#include <string>

// The figures of the summary: which value label of which option of which step each column holds,
// and the heads it stands under, in the screens' own words.
namespace kvarton::summary {

struct SummaryColumn {
    calc::ResultsPanel panel = calc::ResultsPanel::PupilHourCost;
    int option = 0; // as report::optionView numbers the options of a step
    const calc::ValueLabel* label = nullptr; // null for the difference of the estimate
    std::string group; // the option, over the columns that share it ("Метод 1 - …")
    std::string head; // the figure: the screen's caption, with its unit where it has one
};

// The figures in the order of the columns: step 13 by both methods (the two costs); step 14 by
// both methods in the view of ordinary stay modes (the salary fund from pupil-hours and the
// teachers' raising coefficient); step 15 for the six groups (normative, needs and remainder of
// the total); step 16 (expenses with accruals, the subsidy, and the subsidy less the expenses).
std::span<const SummaryColumn> summaryColumns();

// The one column that no label shows: the subsidy less the expenses, from the two whole numbers
// the screen shows; its place among summaryColumns().
std::size_t subsidyBalanceColumn();

} // namespace kvarton::summary
