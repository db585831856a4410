#pragma once

#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// Step 16: the 2012 payroll of each pedagogical role and of the support staff with their special
// parts, from the needs computed without accruals (computeNeeds with 1). Reads `in` and the needs
// of `out`, writes `out`; returns false when an input it reads is not a number or a result is not
// finite.
bool computeEstimatePayrolls(const InstitutionModel& in, CalcResults& out) noexcept;

// The 38 value labels of the step-16 table. The totals of payroll and expenses add the whole
// numbers shown in their rows as currency values. Shows the error panel when a value is not finite
// or a total lies beyond the range of currency.
StepView showEstimate(const InstitutionModel& in, const CalcResults& results);

} // namespace kvarton::calc
