#pragma once

#include <string>

namespace kvarton::summary {

// Whether the workbook at `path` (UTF-8) is a summary this program wrote: its sheets are named as
// summaryWorkbook names them. Reports and summaries share a folder («Документы» by default), and
// the next summary passes over the earlier ones instead of listing them as reports not read. Read
// within the reader's limits; anything unreadable is no summary. Never throws.
bool isOwnSummary(const std::string& path) noexcept;

} // namespace kvarton::summary
