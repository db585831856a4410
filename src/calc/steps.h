#pragma once

#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// What the calculation screen runs on entering steps 13–16 and on clicking their option buttons.
// Each returns what the step's panel shows; the screen copies it. Each computes into a copy of the
// results and stores it only when the panel can be shown, so the error panel always leaves every
// earlier result in place (only the check flags are rewritten on entry). None throws.
//
// What cannot be computed, decided here for all four steps:
// - an input the step reads that is not a number (typed text where a list stands) shows the error
//   panel, as a failed check does;
// - steps 13 and 14: a cell without hours contributes nothing (its pay fund, its weight in a role
//   coefficient, a part of the working time of a role without direct hours there); a value that
//   still cannot be computed (a typed zero divisor, a pupil-hour cost of 0) shows "-", and so does
//   a compensating coefficient any of whose operands cannot be computed;
// - steps 15 and 16: a value the step shows or stores that cannot be computed, or a total beyond
//   the range of currency, shows the error panel.

// Entries: the input check, then the step's calculation with the option selected on its panel.
StepView enterStep13(InstitutionModel& model, Method method) noexcept;
StepView enterStep14(InstitutionModel& model, Method method, StayRegime view) noexcept;
StepView enterStep15(InstitutionModel& model, NormativeGroup group) noexcept;
StepView enterStep16(InstitutionModel& model) noexcept;

// Option1/Option2: the pupil-hour cost by the other method, without the check.
StepView clickMethod13(InstitutionModel& model, Method method) noexcept;
// Option3/Option4: the incentive payments by the other method, shown for the selected view.
StepView clickMethod14(InstitutionModel& model, Method method, StayRegime view) noexcept;
// Option5/Option6: the stored incentive results for the other view; the amounts are tested for
// working time with the first method's hours, whichever method was computed last.
StepView clickView14(const InstitutionModel& model, StayRegime view) noexcept;
// Option11…Option23: the table of another group from the stored needs; nothing is recomputed.
StepView clickGroup15(InstitutionModel& model, NormativeGroup group) noexcept;

} // namespace kvarton::calc
