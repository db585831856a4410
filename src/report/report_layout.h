#pragma once

#include "workbook.h"

#include "model/institution_model.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The first sheet of the report: the identity of the learner and every input of steps 1–12.
namespace kvarton::report {

inline constexpr int kReportRows = 112;
inline constexpr int kReportColumns = 4; // A–D

using IdentityField = std::string InstitutionModel::*;

// The learner's identity as rows 1–5 of the sheet show it: a caption and its field.
struct IdentityRow {
    std::string_view label;
    IdentityField field;
};

std::span<const IdentityRow> identityRows() noexcept;

// A numeric input of the wizard; `name` tells the learner where to correct it ("Шаг 7: Воспитатели").
struct InputCell {
    FieldRef field;
    int step = 1;
    std::string name;
};

struct ReportCell {
    int row = 1; // 1–112
    int column = 0; // 0 = A … 3 = D
    std::variant<std::string, IdentityField, InputCell> content; // a fixed text, identity or input
    bool head = false; // the head row of a block, in bold
};

// Every filled cell of the sheet, row after row, each row from left to right. Everything else on
// the sheet follows from it: every cell here is bordered, and the heading of the parameters
// spans columns A–C (kParametersHeading).
const std::vector<ReportCell>& reportCells();

inline constexpr Merge kParametersHeading{81, 0, 81, 2};

// The number the report holds for an input: its value as a currency amount (four decimals), empty
// (or an empty text) as 0, text read with the decimal comma. nullopt for a text that is not a
// number and for a number outside the currency range.
std::optional<double> reportNumber(const ModelValue& value) noexcept;

// The sheet with the learner's identity and inputs; an input that is no number stands as 0, so
// ask `invalidInputs` first.
Sheet reportSheet(const InstitutionModel& model);

} // namespace kvarton::report
