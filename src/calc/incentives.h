#pragma once

#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// Step 14: a fresh pupil-hour calculation by the method, then the salary funds, the time ratios,
// the coefficients for compensating groups and each pedagogical role's raising coefficient and
// the money its raise represents, per regime. Reads `in`, writes `out`; returns false when an
// input it reads is not a number. Values that cannot be computed (a pupil-hour cost of 0, a group
// size of 0) stay not finite and show "-"; a compensating coefficient then is "-".
bool computeIncentives(const InstitutionModel& in, Method method, CalcResults& out) noexcept;

// The 27 value labels of step 14 for a view. An amount shows "0" for a role without working time
// in the groups of the view, judged with the hours basis of `hoursOf`: the method just computed.
// Reads the working time of `in` and the results of `results`.
StepView showIncentiveView(const InstitutionModel& in, const CalcResults& results, StayRegime view, Method hoursOf);

} // namespace kvarton::calc
