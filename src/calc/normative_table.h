#pragma once

#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// The 33 cells of the step-15 table (normative, need and remainder of eleven rows) for a group,
// from the stored needs of `results` and the regional normatives of `in`. Writes the group's
// hasProvidedHours and the three shown needs into `results`. Shows the error panel, writing
// nothing, when a cell is not finite.
StepView showNormativeTable(const InstitutionModel& in, NormativeGroup group, CalcResults& results);

} // namespace kvarton::calc
