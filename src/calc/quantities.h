#pragma once

#include "panels.h"
#include "quantity_words.h"
#include "step_view.h"

#include "model/institution_model.h"

#include <optional>
#include <string>
#include <string_view>

namespace kvarton::calc {

// The words of a kind of quantity, from the table its calculation keeps beside its formulas.
const QuantityWords& wordsOf(Quantity kind) noexcept;

// A quantity named with the words of its indices, as an operand line names it: "Ученико-часы за
// год (группы с обычным режимом пребывания, все дети)". A line of the table of step 15 names the
// group of `options`.
std::string quantityName(QuantityRef q, const StepOptions& options);

// The quantity a value label shows under the options of its panel; nullopt for a name no panel
// shows or a panel of another step.
std::optional<QuantityRef> figureQuantity(std::string_view label, const StepOptions& options);
QuantityRef figureQuantity(const PlacedValue& value, const StepOptions& options) noexcept;

// What a number of the course is worth, and how an operand line names it and says where it comes
// from ("Недель в году — 52 (календарный год)"). The regional normatives are the model's.
double constantValue(ConstantRef c) noexcept;
std::string constantName(ConstantRef c);
std::string constantSource(ConstantRef c, const InstitutionModel& model);

} // namespace kvarton::calc
