#pragma once

#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

constexpr AgeGroup ageGroupOf(NormativeGroup g) noexcept { return static_cast<AgeGroup>(static_cast<int>(g) % 3); }
constexpr StayRegime regimeOf(NormativeGroup g) noexcept
{
    return static_cast<int>(g) < 3 ? StayRegime::ShortTerm : StayRegime::Day;
}
// Short-term middle and senior groups have no care normative: their care needs are carried by the
// education rows.
constexpr bool isEducationOnly(NormativeGroup g) noexcept
{
    return g == NormativeGroup::MiddleShortTerm || g == NormativeGroup::SeniorShortTerm;
}

// The 33 cells of the step-15 table (normative, need and remainder of eleven rows) for a group,
// from the stored needs of `results` and the regional normatives of `in`. Writes the group's
// hasProvidedHours and the three shown needs into `results`. Shows the error panel, writing
// nothing, when a cell is not finite.
StepView showNormativeTable(const InstitutionModel& in, NormativeGroup group, CalcResults& results);

} // namespace kvarton::calc
