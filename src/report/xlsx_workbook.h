#pragma once

#include "report_problem.h"
#include "workbook.h"

#include <optional>
#include <string>

namespace kvarton::report {

// Writes `workbook` as a new .xlsx file at `path` (UTF-8), which must not exist yet: each sheet in
// one pass over its description. nullopt on success; on failure nothing is left at `path` and the
// problem says, in Russian, what to do. A style index that a sheet does not have is a fault of
// the program: it throws std::out_of_range, and nothing is written.
std::optional<ReportProblem> writeWorkbook(const Workbook& workbook, const std::string& path);

} // namespace kvarton::report
