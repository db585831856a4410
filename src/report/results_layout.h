#pragma once

#include "workbook.h"

#include "calc/all_results.h"
#include "model/institution_model.h"

#include <string_view>

// The second sheet of the report: every figure of steps 13–16 as the screens show it, under the
// screens' own captions, and charts of the needs against the normatives and of the expenses
// against the subsidy.
namespace kvarton::report {

inline constexpr std::string_view kResultsSheetName = "Результаты";

// The sheet of what the panels show for every option (calc::allResults). A figure is a number
// equal to what its label shows, with the label's decimals as its number format; a text the
// label shows instead of a number ("-") is written as that text. A step that shows its error
// panel for an option leaves that option's cells empty and says so under its table.
Sheet resultsSheet(const InstitutionModel& model, const calc::AllResults& results);

// The same for the results of `model`'s inputs, computed on a copy of it.
Sheet resultsSheet(const InstitutionModel& model);

} // namespace kvarton::report
