#pragma once

#include "model/institution_model.h"

namespace kvarton::calc {

// The check every calculation step runs on entry. Writes the six flags into the model's results
// (three for the direct hours, one each for positions, service counts and numeric pay) and returns
// whether all of them passed. Every check is evaluated; none stops at the first failure.
bool runInputChecks(InstitutionModel& model) noexcept;

} // namespace kvarton::calc
