#pragma once

#include "report_problem.h"
#include "workbook.h"

#include <optional>
#include <string>
#include <string_view>

namespace kvarton::report {

// Writes `workbook` as a new .xlsx file at `path` (UTF-8), which must not exist yet: each sheet in
// one pass over its description. nullopt on success; on failure nothing is left at `path` and the
// problem says, in Russian, what to do. A style index that a sheet does not have is a fault of
// the program: it throws std::out_of_range, and nothing is written.
std::optional<ReportProblem> writeWorkbook(const Workbook& workbook, const std::string& path);

// How a failure names the workbook: "Отчет не создан" and what to do again.
struct WorkbookWords {
    std::string_view notWritten;
    std::string_view retry; // within a sentence
    std::string_view retrySentence; // the same as a sentence of its own
};
inline constexpr WorkbookWords kReportWords{
    "Отчет не создан", "снова нажмите «вывести отчет»", "Снова нажмите «вывести отчет»"};

// The same for another workbook than the report, whose messages say `words` instead.
std::optional<ReportProblem> writeWorkbook(
    const Workbook& workbook, const std::string& path, const WorkbookWords& words);

} // namespace kvarton::report
