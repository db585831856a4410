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

// What entering each calculation step with each of its options shows, computed on `work`, a copy
// of the learner's model: step 13 with each method, step 14 with each method and view, step 15 with
// each group, and step 16. A figure depends on the inputs and its panel's options alone
// (steps.h), so this is what the screens show for the same options on whatever road the learner
// took. The learner's model and its results stay as they are.
AllResults allResults(InstitutionModel work) noexcept;

// The panel of `all` that a step shows under its options.
const StepView& shownUnder(const AllResults& all, const StepOptions& options) noexcept;

} // namespace kvarton::calc
