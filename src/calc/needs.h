#pragma once

#include "norms.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// Steps 15 and 16: per-child needs of every age group and regime by kind of expense, and the
// administrative and service payroll of the institution. Staff needs and payrolls are multiplied by
// `accrualFactor` (PayrollAccrualRate on step 15, 1 on step 16). Pay and positions are recomputed
// in the first method's form whatever method steps 13 and 14 used, and the pupils for the head's
// salary are counted from the inputs: nothing an earlier step computed enters.
//
// Reads `in`, writes `out`; returns false when an input it reads is not a number or a result is not
// finite (a group size, stay mode or 2011 position total of 0, a share of 100 %): such a step cannot
// be computed and shows its error panel.
bool computeNeeds(const InstitutionModel& in, double accrualFactor, CalcResults& out) noexcept;

} // namespace kvarton::calc
