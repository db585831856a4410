#pragma once

#include "model/institution_model.h"

#include <utility>

namespace kvarton::calc {

// Runs `compute` on a copy of the model's results and keeps the copy only when it succeeds, so
// that a calculation that cannot be completed leaves every earlier result as it was.
template <typename Compute>
bool storeIfComputed(InstitutionModel& model, Compute&& compute)
{
    CalcResults results = model.results;
    if (!std::forward<Compute>(compute)(results))
        return false;
    model.results = std::move(results);
    return true;
}

} // namespace kvarton::calc
