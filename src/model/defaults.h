#pragma once

#include "institution_model.h"

namespace kvarton {

// The text a money default takes in a region: the St Petersburg amount times the region's
// coefficient, rounded to whole roubles ("0" while no coefficient is known).
std::string moneyDefault(double baseAmount, std::optional<double> coefficient);

// The regional normative of St Petersburg, which a region's normative is with the region's
// coefficient (roubles per child and year, before rounding).
double regionalNormativeBase(StayRegime s, AgeGroup a, NormativePart p) noexcept;

// Writes the default of every input field and the eighteen regional normatives, using the
// model's current regionCoefficient. Identity, currentStep and results are left alone.
void resetToDefaults(InstitutionModel& model);

} // namespace kvarton
