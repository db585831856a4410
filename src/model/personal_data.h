#pragma once

#include "institution_model.h"

#include <string>

namespace kvarton {

// What the learner gives on the personal-data screen.
struct PersonalData {
    std::string region; // the text of the region list, "" when nothing was chosen
    std::string institutionName;
    std::string surname;
    std::string firstInitial;
    std::string patronymicInitial;
};

// Confirms the personal data: the identity as typed, the region's coefficient (kept when the text
// names no region), the defaults of every input and the regional normatives, and step 1.
// Returns false, writing nothing, when the institution's name is empty.
bool confirmPersonalData(InstitutionModel& model, const PersonalData& data);

} // namespace kvarton
