#pragma once

#include "step_view.h"

#include "model/institution_model.h"

#include <string>
#include <vector>

namespace kvarton::calc {

// The check every calculation step runs on entry. Writes the six flags into the model's results
// (three for the direct hours, one each for positions, service counts and numeric pay) and returns
// whether all of them passed. Every check is evaluated; none stops at the first failure.
bool runInputChecks(InstitutionModel& model) noexcept;

// What the same check finds wrong, one line per input, each named as the learner finds it on its
// step and in the order of the steps: "Шаг 7: Воспитатель — «12 000» не является числом",
// "Шаг 8: Воспитатель — 0 ставок при фонде 120000". Empty exactly when the check passes.
std::vector<std::string> inputCheckFailures(const InstitutionModel& model);
// The same lines with the input each names (the first input of its step where it names a step).
std::vector<Failure> inputCheckFindings(const InstitutionModel& model);

// A text as the learner typed it, in guillemets; a long one is shortened, never within a character.
std::string quotedInput(const std::string& text);
// The words for an input that is no number: "«12 000» не является числом".
std::string notANumberText(const ModelValue& v);

} // namespace kvarton::calc
