#pragma once

#include "report_problem.h"
#include "workbook.h"

#include "model/institution_model.h"

#include <optional>
#include <string>
#include <vector>

// What the report screen calls.
namespace kvarton::report {

// The inputs the report cannot hold as numbers (a text that is not a number, or a number beyond
// the currency range), each named as the learner finds it, e.g. "Шаг 7: Воспитатели". Empty when
// the report can be written.
std::vector<std::string> invalidInputs(const InstitutionModel& model);

// The report workbook of `model`: the inputs, then the results of steps 13–16 with their charts.
Workbook reportWorkbook(const InstitutionModel& model);

// Writes the report workbook (.xlsx) to `path` (UTF-8). nullopt on success. On any failure
// nothing is left at `path` and the problem says, in Russian, what to do. `path` must not exist
// yet: the report never replaces a file. Never throws.
std::optional<ReportProblem> writeXlsxReport(const InstitutionModel& model, const std::string& path) noexcept;

} // namespace kvarton::report
