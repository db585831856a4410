#pragma once

#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// What the calculation screen runs on entering steps 13–16 and on clicking their option buttons.
// Each returns what the step's panel shows; the screen copies it. A figure depends on the inputs and
// the options of its own panel alone, never on the road: each entry and option click computes from
// the inputs into empty results (steps 15 and 16 count the pupils themselves, step 14 computes the
// pupil-hour cost by its own method), and stores them only when the panel can be shown, so the
// error panel leaves every earlier result in place (only the check flags are rewritten on entry).
// An error panel always lists why: what the input check found, or after a passed check the causes
// the calculation met (computation_failures.h). None throws.
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
// Option5/Option6: the incentive payments by the method selected, shown for the other view, as
// entering the step with that view shows them (the amounts are tested for working time with the
// hours of the method selected).
StepView clickView14(InstitutionModel& model, Method method, StayRegime view) noexcept;
// Option11…Option23: the table of another group from the stored needs; nothing is recomputed.
StepView clickGroup15(InstitutionModel& model, NormativeGroup group) noexcept;

// Entering the step of `options` with its options selected.
StepView enterStep(InstitutionModel& model, const StepOptions& options) noexcept;

} // namespace kvarton::calc
