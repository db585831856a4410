#pragma once

#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// What the panels of steps 13–16 show for every choice of their options: step 13 by each method,
// step 14 for each method and view, step 15 for each group, and step 16.
struct AllResults {
    EnumArray<Method, StepView> pupilHours;
    EnumArray<Method, EnumArray<StayRegime, StepView>> incentives;
    EnumArray<NormativeGroup, StepView> normativeTables;
    StepView estimate;
};

// Enters the calculation steps on `work`, a copy of the learner's model, in the order of the
// wizard, as a learner would who goes from step 13 to step 16 and tries every option:
// - step 13 entered with each method;
// - step 14 entered with each method and each view, so that the amounts are tested for working
//   time with the hours of the method shown (a click on a view after a click on the second method
//   would test them with the first method's hours);
// - step 15 entered with the first group, the other groups clicked;
// - step 16 entered.
// Steps 15 and 16 read the pupil counts of the last pupil-hour calculation, which this road has
// just made; so every figure follows from the inputs alone, whatever the learner's own road was.
// The learner's model and its results stay as they are.
AllResults allResults(InstitutionModel work) noexcept;

} // namespace kvarton::calc
