#pragma once

#include "read_limits.h"
#include "read_problem.h"

#include "model/institution_model.h"

#include <string>
#include <string_view>
#include <variant>

// Reading a report workbook back into a work: what the program wrote, or a copy a spreadsheet
// program re-saved. Plain C++ without globals: safe to call from several threads at once.
namespace kvarton::reader {

// A new work as the report holds it: the identity, the region's coefficient, the defaults, and
// every input as the text its control would show, committed as a learner's typing is (numbers
// with the decimal comma, single fields as single numbers). Results are empty and currentStep is
// 0: where to show the work is the caller's choice. Or, when the file is not a report or breaks a
// limit, why not.
using ReportRead = std::variant<InstitutionModel, ReadProblem>;

// Reads the workbook at `path` (UTF-8). Never throws.
ReportRead readReport(const std::string& path, const ReadLimits& limits = kReadLimits) noexcept;

// Reads a workbook already in memory; `fileName` only names it in the message.
ReportRead readReportBytes(
    std::string_view bytes, std::string_view fileName, const ReadLimits& limits = kReadLimits) noexcept;

// The file name of a UTF-8 path, as messages name a file ("/a/Отчет.xlsx" → "Отчет.xlsx").
std::string fileNameOf(const std::string& path);

} // namespace kvarton::reader
