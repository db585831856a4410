#pragma once

#include "workbook.h"

#include "calc/all_results.h"
#include "calc/quantity.h"
#include "model/institution_model.h"

#include <string>
#include <string_view>
#include <vector>

// The second sheet of the report: every figure of steps 13–16 as the screens show them, under the
// screens' own captions, with charts of the needs against the normatives and of the expenses
// against the subsidy.
namespace kvarton::report {

inline constexpr std::string_view kResultsSheetName = "Результаты";

// The options of a results step, numbered in the order the sheet gives them columns: step 13 by
// method; step 14 by method and view, the day view first (2 × method + 0 for the day view, + 1
// for the short-term view); step 15 by group (calc::NormativeGroup); step 16 has the one option 0.
int optionCount(calc::ResultsPanel panel) noexcept;
const calc::StepView& optionView(const calc::AllResults& results, calc::ResultsPanel panel, int option);
// The options of its panel that an option of the sheet stands for.
calc::StepOptions optionStep(calc::ResultsPanel panel, int option) noexcept;
// The option as the sheet's heads name it, e.g. "Метод 2 - расчет с учетом всех потребностей,
// Краткосрочные режимы пребывания"; empty for step 16.
std::string optionName(calc::ResultsPanel panel, int option);

// A figure of the sheet: the cell it stands in and the value label of the option whose text it
// holds.
struct ResultsFigure {
    int row = 1; // from 1
    int column = 0; // from 0 (A)
    calc::ResultsPanel panel = calc::ResultsPanel::PupilHourCost;
    int option = 0;
    const calc::ValueLabel* label = nullptr;
};

// A figure of the sheet that only a chart states, from the figures of its table (the accruals on
// pay, what the subsidy leaves): the cell it stands in, under step 16's one option.
struct ResultsChartFigure {
    int row = 1;
    int column = 0;
    calc::QuantityRef quantity;
};

// Where every figure stands: the same cells for every work, whatever its steps showed, so that a
// reader of many reports finds each figure in its place.
const std::vector<ResultsFigure>& resultsFigures();

// The sheet of what the panels show for every option (calc::allResults). A figure is a number
// equal to what its label shows, with the label's decimals as its number format; a text the label
// shows instead of a number ("-") is written as that text, and its cell carries the figure's
// explanation as a note (results_notes.h). Where a step showed its error panel for an option, that
// option's cells stay empty and a line under the step's table says so.
Sheet resultsSheet(const InstitutionModel& model, const calc::AllResults& results);

// The same for `model`'s inputs, the results computed on a copy of it.
Sheet resultsSheet(const InstitutionModel& model);

} // namespace kvarton::report
