#pragma once

#include "model/institution_model.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kvarton::calc {

// The amounts the learner types (the payrolls of step 7, the salaries of step 12) must be numbers
// the calculations can take: a number with the decimal comma, and one that money can hold (the
// estimate adds amounts as currency and the report writes them as currency).
enum class AmountProblem { Empty, NotANumber, TooLarge };

// The rule, on the value a field holds. The input check of steps 13–16 and the marks on the
// screens of steps 7 and 12 both ask this one function, so that they never disagree.
std::optional<AmountProblem> amountProblem(const ModelValue& value) noexcept;
// The rule on a text typed into the control of `field`, judged as the value leaving the step will
// store it (a single field keeps the number the text reads as).
std::optional<AmountProblem> typedAmountProblem(FieldRef field, const std::string& text);

// The amounts the check requires to be numbers, in the order of their screens: the sixteen
// payrolls of step 7 (the roles, then the totals and the other staff) and the eleven salaries of
// step 12.
std::span<const FieldRef> checkedAmounts();
bool isCheckedAmount(FieldRef r) noexcept;

// What a field that fails the rule tells the learner (its tooltip and accessible description).
std::string_view amountHint(AmountProblem problem) noexcept;
// The line under the box of a step that has such fields: "Проверьте 2 поля: …".
std::string amountNote(int count);

} // namespace kvarton::calc
