#pragma once

#include "results_layout.h"
#include "workbook.h"

#include "model/institution_model.h"

#include <vector>

// The notes of the results sheet: each figure's cell carries the figure's explanation, in the words
// and numbers the screens give it (calc/explanation.h).
namespace kvarton::report {

// A note for every figure of `figures` that its panel shows on `model`, and for every figure of
// `chartFigures`: the explanation of the figure with its operands; an operand that is another
// figure of the same option names its cell.
std::vector<Note> resultsNotes(const InstitutionModel& model, const std::vector<ResultsFigure>& figures,
    const std::vector<ResultsChartFigure>& chartFigures = {});

} // namespace kvarton::report
