#pragma once

#include "model/defaults.h"
#include "model/institution_model.h"

namespace kvarton::report::test {

// A learner from St Petersburg with every input at its default.
inline InstitutionModel stPetersburg()
{
    InstitutionModel m;
    m.regionName = "г. Санкт-Петербург";
    m.institutionName = "ГДОУ детский сад № 5";
    m.surname = "Иванова";
    m.firstInitial = "А";
    m.patronymicInitial = "П";
    m.regionCoefficient = 1.0;
    resetToDefaults(m);
    return m;
}

} // namespace kvarton::report::test
