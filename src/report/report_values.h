#pragma once

#include "report_problem.h"

#include "model/model_value.h"

#include <optional>
#include <string>
#include <vector>

namespace kvarton::report {

// The number the report holds for an input: its value as a currency amount (four decimals), empty
// (or an empty text) as 0, text read with the decimal comma. nullopt for a text that is not a number and for a
// number outside the currency range.
std::optional<double> reportNumber(const ModelValue& value) noexcept;

// The message for inputs that `invalidInputs` named.
ReportProblem invalidInputsProblem(const std::vector<std::string>& names);

} // namespace kvarton::report
