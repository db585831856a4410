#pragma once

#include "model/institution_model.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The report sheet as data: what every cell holds, and the ranges of its formatting.
namespace kvarton::report {

inline constexpr int kReportRows = 112;
inline constexpr int kReportColumns = 4; // A–D

using IdentityField = std::string InstitutionModel::*;

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
};

// Every filled cell, column after column (A, B, C, D), each column from the top down.
const std::vector<ReportCell>& reportCells();

// Formatting ranges, each list in the order the writer applies it.
inline constexpr std::array<std::string_view, 7> kNumberFormatRanges{
    "B8:D20", "B23:D35", "B38:C53", "B56:D57", "B60:D79", "B82:B97", "B100:C112"};
inline constexpr std::string_view kParametersHeading = "A81:C81"; // merged into one cell
inline constexpr std::array<std::string_view, 2> kBordersBeforeHeading{"A99:C112", "A81:C97"};
inline constexpr std::array<std::string_view, 6> kBordersAfterHeading{
    "A59:D79", "A55:D57", "A37:C53", "A22:D35", "A7:D20", "A1:B5"};
inline constexpr std::array<std::string_view, 7> kBoldRanges{
    "A7:D7", "A22:D22", "A37:C37", "A55:D55", "A59:D59", "A81:C81", "A99:C99"};

} // namespace kvarton::report
