#pragma once

#include "quantity.h"

#include <span>
#include <string_view>

namespace kvarton::calc {

// What the indices of a quantity name, for the words that tell one member from another.
enum class Axes : std::uint8_t {
    None,
    Cell, // [StayRegime][GroupOrientation]
    Kind, // [GroupKind]
    Role, // [StaffRole]
    KindRole, // [GroupKind][StaffRole]
    Regime, // [StayRegime]
    RegimeRole, // [StayRegime][StaffRole]
    Group, // [AgeGroup][StayRegime]
    GroupCell, // [AgeGroup][StayRegime][GroupOrientation]
    TableLine, // [NormativeLine] of the group of the options
};

// How an explanation speaks of a quantity, in the course's words: its name (told apart from its
// kin by the words of its indices), the unit of its value, what it is, and its formula in words.
struct QuantityWords {
    Quantity kind{};
    Axes axes = Axes::None;
    std::string_view name;
    std::string_view unit;
    std::string_view what;
    std::string_view formula;
};

} // namespace kvarton::calc
