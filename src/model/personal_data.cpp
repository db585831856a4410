#include "personal_data.h"

#include "defaults.h"
#include "regions.h"

namespace kvarton {

bool confirmPersonalData(InstitutionModel& model, const PersonalData& data)
{
    if (data.institutionName.empty()) // a single blank counts as a name
        return false;
    model.institutionName = data.institutionName;
    if (const auto coefficient = regionCoefficient(data.region))
        model.regionCoefficient = coefficient;
    model.surname = data.surname;
    model.firstInitial = data.firstInitial;
    model.patronymicInitial = data.patronymicInitial;
    resetToDefaults(model);
    model.currentStep = 1;
    return true;
}

} // namespace kvarton
