#pragma once

#include "summary_rows.h"

#include "report/workbook.h"

#include <string_view>
#include <vector>

// The summary workbook as data, written by the report's writer: the sheet of figures, one row per
// report; the sheet of files that were not read, with the reasons; the sheet of charts.
namespace kvarton::summary {

inline constexpr std::string_view kSummarySheetName = "Сводка";
inline constexpr std::string_view kUnreadSheetName = "Не прочитаны";
inline constexpr std::string_view kChartsSheetName = "Диаграммы";

// Rows of the summary sheet: two rows of heads over the figures' own, then a row per report.
inline constexpr int kHeadRows = 3;
inline constexpr int kFirstRowOfReports = kHeadRows + 1;
// Columns before the figures: file, region, institution, learner.
inline constexpr int kIdentityColumns = 4;

// `rows` in the order they are to stand (sortRows), `unread` in the order the files were given.
report::Workbook summaryWorkbook(const std::vector<SummaryRow>& rows, const std::vector<UnreadFile>& unread);

} // namespace kvarton::summary
