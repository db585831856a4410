#pragma once

#include "report_problem.h"
#include "report_sheet.h"

#include "model/institution_model.h"

#include <optional>

namespace kvarton::report {

// The alignment of the whole sheet: centred both ways, wrapped, nothing else.
inline constexpr Alignment kReportAlignment{HorizontalAlignment::Centre, VerticalAlignment::Centre, true};

// Fills `sheet` with the identity and every input of steps 1–12, then formats it. When an input
// cannot be written as a number nothing is issued at all and the problem names the inputs.
std::optional<ReportProblem> writeExcelReport(const InstitutionModel& model, ReportSheet& sheet);

} // namespace kvarton::report
