#pragma once

#include "report_problem.h"
#include "sheet_state.h"

#include <optional>
#include <string>

namespace kvarton::report {

// Writes `sheet` as the only worksheet of a new .xlsx workbook at `path` (UTF-8), which must not
// exist yet. nullopt on success; on failure nothing is left at `path`.
std::optional<ReportProblem> writeWorkbook(const SheetState& sheet, const std::string& path);

} // namespace kvarton::report
