#pragma once

#include "field_ref.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kvarton {

// The stable text name of a field, the one form in which a field is written to a file: the
// family's name and the names of its indices' members, lowerCamelCase, joined by dots:
//   directHours.generalDay.teacher          payroll2011.musicDirector       payroll2011Admin
//   providedServices.junior.compensating.hours10_5    groupSize.compensating.threeAndOver
//   serviceSalary.otherPositions            regionalNormative.day.senior.care
// The names are tables of their own, not the identifiers of the code, so renaming a member in
// the code changes no file. A key, once written, is never changed or given to another field.
std::string fieldKey(FieldRef r);

// The field a key names; nullopt for any text that is not exactly the key of a field with one
// (an input of steps 1–12 or a regional normative).
std::optional<FieldRef> fieldFromKey(std::string_view key);

// Every field that has a key: the inputs of steps 1–12, then the regional normatives.
std::span<const FieldRef> keyedFields();

} // namespace kvarton
