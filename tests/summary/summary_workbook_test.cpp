// The summary workbook as data: heads in the screens' words, numbers with the screens' decimals,
// frozen heads and a filter, the files not read, and charts over the learners' rows.
#include "summary/summary_columns.h"
#include "summary/summary_workbook.h"

#include "report/xlsx_workbook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace kvarton;
using namespace kvarton::summary;

namespace {

const report::Cell* cellAt(const report::Sheet& sheet, int row, int column)
{
    const auto found = std::find_if(sheet.cells.begin(), sheet.cells.end(),
        [&](const report::Cell& c) { return c.row == row && c.column == column; });
    return found == sheet.cells.end() ? nullptr : &*found;
}

SummaryRow rowOf(std::string institution, double firstFigure)
{
    SummaryRow r{"Отчет.xlsx", "Камчатский край", std::move(institution), "Иванова А. Б.", {}, ""};
    r.figures.assign(summaryColumns().size(), SummaryValue{});
    r.figures[0] = firstFigure;
    r.figures[2] = std::string("-");
    return r;
}

TEST(SummaryWorkbook, SheetsHeadsNumbersAndCharts)
{
    const std::vector<SummaryRow> rows{rowOf("Сад № 1", 10.1), rowOf("Сад № 2", 9.25)};
    const std::vector<UnreadFile> unread{{"Книга1.xlsx", "/tmp", "это не отчет Квартона."}};
    const report::Workbook book = summaryWorkbook(rows, unread);
    ASSERT_EQ(book.sheets.size(), 3u);
    const report::Sheet& sheet = book.sheets[0];
    EXPECT_EQ(sheet.name, kSummarySheetName);
    EXPECT_EQ(book.sheets[1].name, kUnreadSheetName);
    EXPECT_EQ(book.sheets[2].name, kChartsSheetName);

    // Heads: the step, the option, the figure in the screen's words; frozen and filtered.
    const auto columns = summaryColumns();
    const int first = kIdentityColumns;
    EXPECT_EQ(std::get<std::string>(cellAt(sheet, 1, first)->value), "Шаг 13. Расчет ученико-часа.");
    EXPECT_EQ(std::get<std::string>(cellAt(sheet, 2, first)->value), "Метод 1 - расчет на основании рекомендаций");
    EXPECT_EQ(std::get<std::string>(cellAt(sheet, 3, first)->value),
        "Стоимость ученико - часа в группах с обычным режимом пребывания, рублей на воспитанника");
    EXPECT_EQ(sheet.frozen.rows, kHeadRows);
    EXPECT_EQ(sheet.frozen.columns, kIdentityColumns);
    ASSERT_TRUE(sheet.autofilter);
    EXPECT_EQ(sheet.autofilter->firstRow, kHeadRows);
    EXPECT_EQ(sheet.autofilter->lastRow, kHeadRows + 2);
    EXPECT_EQ(sheet.autofilter->lastColumn, kIdentityColumns + static_cast<int>(columns.size()));

    // A number is a number with its label's decimals; a "-" stays a text; nothing stays empty.
    const report::Cell* cost = cellAt(sheet, kFirstRowOfReports + 1, first);
    EXPECT_EQ(std::get<double>(cost->value), 9.25);
    EXPECT_EQ(sheet.styles.at(static_cast<std::size_t>(cost->style)).numberFormat, "0.0");
    EXPECT_EQ(std::get<std::string>(cellAt(sheet, kFirstRowOfReports, first + 2)->value), "-");
    EXPECT_EQ(std::get<std::string>(cellAt(sheet, kFirstRowOfReports, first + 1)->value), "");
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].label && columns[i].label->pattern == Pattern::TwoDecimals) {
            EXPECT_NE(columns[i].head.find("Воспитатель"), std::string::npos);
        }
    }

    // The files not read, with their reasons.
    const report::Sheet& notRead = book.sheets[1];
    EXPECT_EQ(std::get<std::string>(cellAt(notRead, 2, 0)->value), "Книга1.xlsx");
    EXPECT_EQ(std::get<std::string>(cellAt(notRead, 2, 2)->value), "это не отчет Квартона.");

    // The charts read the learners' rows of the summary sheet, named by the learner column.
    const report::Sheet& charts = book.sheets[2];
    ASSERT_EQ(charts.charts.size(), 2u);
    for (const report::Chart& chart : charts.charts)
        for (const report::ChartSeries& s : chart.series) {
            EXPECT_EQ(s.sheet, kSummarySheetName);
            EXPECT_EQ(s.categories.firstRow, kFirstRowOfReports);
            EXPECT_EQ(s.categories.lastRow, kFirstRowOfReports + 1);
            EXPECT_EQ(s.categories.firstColumn, kIdentityColumns - 1);
        }
    EXPECT_EQ(charts.charts[0].series[0].values.firstColumn, first); // the first cost

    // The writer takes it whole.
    const auto path = std::filesystem::temp_directory_path() / "kvarton-summary-test.xlsx";
    std::filesystem::remove(path);
    EXPECT_FALSE(report::writeWorkbook(book, path.string()));
    std::filesystem::remove(path);
}

TEST(SummaryWorkbook, NothingReadNothingUnread)
{
    const report::Workbook book = summaryWorkbook({}, {});
    EXPECT_TRUE(book.sheets[2].charts.empty());
    EXPECT_EQ(std::get<std::string>(cellAt(book.sheets[1], 2, 0)->value), "Все файлы прочитаны.");
    EXPECT_EQ(book.sheets[0].autofilter->lastRow, kHeadRows);
}

TEST(SummaryWorkbook, FailuresNameTheSummary)
{
    const auto path = std::filesystem::temp_directory_path() / "kvarton-summary-exists.xlsx";
    std::filesystem::remove(path);
    const report::Workbook book = summaryWorkbook({}, {});
    ASSERT_FALSE(report::writeWorkbook(book, path.string()));
    const auto problem = report::writeWorkbook(book, path.string(), {"Сводка не создана", "повторите попытку", "Повторите попытку"});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message.rfind("Сводка не создана: ", 0), 0u) << problem->message;
    EXPECT_EQ(problem->message.find("вывести отчет"), std::string::npos) << problem->message;
    EXPECT_NE(problem->message.find("Повторите попытку"), std::string::npos) << problem->message;
    std::filesystem::remove(path);
}

} // namespace
