#include "report/results_layout.h"
#include "sample_model.h"

#include "calc/step_view.h"
#include "common/random_work.h"
#include "model/conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

using namespace kvarton;
using namespace kvarton::report;
using kvarton::report::test::stPetersburg;

namespace {

using Place = std::pair<int, int>; // row, column

std::map<Place, const Cell*> cellsOf(const Sheet& sheet)
{
    std::map<Place, const Cell*> cells;
    for (const Cell& c : sheet.cells)
        cells[{c.row, c.column}] = &c;
    return cells;
}

std::string textAt(const std::map<Place, const Cell*>& cells, Place p)
{
    const auto it = cells.find(p);
    if (it == cells.end())
        return "<none>";
    const auto* text = std::get_if<std::string>(&it->second->value);
    return text ? *text : "<number>";
}

// Each figure holds what its label shows on the screen, digit for digit: the number that,
// formatted with the label's pattern, gives the screen's text back; the screen's own text where it
// shows no number; nothing where the step showed its error panel. A figure shown carries its
// explanation as a note, which begins with what the screen shows.
void expectTheScreensTexts(const InstitutionModel& m, const std::string& work)
{
    const calc::AllResults all = calc::allResults(m);
    const Sheet sheet = resultsSheet(m, all);
    const auto cells = cellsOf(sheet);
    std::map<Place, const Note*> notes;
    for (const Note& n : sheet.notes)
        EXPECT_TRUE(notes.emplace(Place{n.row, n.column}, &n).second) << work << " " << n.text;
    std::size_t shownFigures = 0;
    for (const ResultsFigure& f : resultsFigures()) {
        const calc::StepView& view = optionView(all, f.panel, f.option);
        const auto it = cells.find({f.row, f.column});
        ASSERT_NE(it, cells.end()) << work << " " << f.label->name;
        const Cell& cell = *it->second;
        const std::string where = work + " " + std::string(f.label->name) + " option " + std::to_string(f.option);
        if (view.showError) {
            EXPECT_EQ(std::get<std::string>(cell.value), "") << where;
            continue;
        }
        const std::string* shown = calc::textOf(view, f.label->name);
        ASSERT_TRUE(shown) << where;
        ++shownFigures;
        const auto note = notes.find({f.row, f.column});
        ASSERT_NE(note, notes.end()) << where;
        const std::string& text = note->second->text;
        EXPECT_NE(text.substr(0, text.find('\n')).find(" — " + *shown), std::string::npos) << where << "\n" << text;
        if (const auto* number = std::get_if<double>(&cell.value)) {
            EXPECT_EQ(format(*number, f.label->pattern), *shown) << where;
            const char* formats[] = {"0", "0.0", "0.00"};
            EXPECT_EQ(sheet.styles.at(static_cast<std::size_t>(cell.style)).numberFormat,
                formats[calc::decimals(f.label->pattern)])
                << where;
        } else {
            EXPECT_EQ(std::get<std::string>(cell.value), *shown) << where;
            EXPECT_FALSE(parseNumber(*shown)) << where;
        }
    }
    // The figures only the estimate's chart states (the accruals, what the subsidy leaves) carry theirs
    // too, in their cells of the table beside the chart, beginning with the number the cell holds.
    std::size_t chartNotes = 0;
    for (const Note& n : sheet.notes)
        for (std::string_view head : {"Начисления на оплату труда — ", "Остаток субсидии после покрытия расходов — "})
            if (n.text.starts_with(head)) {
                ++chartNotes;
                const auto* number = std::get_if<double>(&cells.at({n.row, n.column})->value);
                ASSERT_TRUE(number) << work << " " << n.text;
                EXPECT_TRUE(n.text.substr(head.size()).starts_with(format(*number, Pattern::Whole) + " рублей"))
                    << work << " " << n.text;
            }
    EXPECT_EQ(chartNotes, all.estimate.showError ? 0U : 2U) << work;
    EXPECT_EQ(sheet.notes.size(), shownFigures + chartNotes) << work;
}

} // namespace

TEST(ResultsSheet, EveryFigureIsWhatItsScreenShows)
{
    expectTheScreensTexts(stPetersburg(), "St Petersburg");
    // A note names the cell of an operand that is a figure of the same option.
    const Sheet sheet = resultsSheet(stPetersburg());
    const auto cellOf = [](std::string_view label) {
        for (const ResultsFigure& f : resultsFigures())
            if (f.option == 0 && f.label->name == label)
                return cellAddress(f.row, f.column);
        return std::string();
    };
    const auto cost = std::find_if(sheet.notes.begin(), sheet.notes.end(),
        [&](const Note& n) { return cellAddress(n.row, n.column) == cellOf("Label1001"); });
    ASSERT_NE(cost, sheet.notes.end());
    EXPECT_NE(cost->text.find("— Ученико-часы за год (группы с обычным режимом пребывания, все дети) — 199333,3333 "
                              "часов (ячейка "
                  + cellOf("Label1006") + ")\n"),
        std::string::npos)
        << cost->text;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        kvarton::test::RandomWork random(seed);
        expectTheScreensTexts(random.work(), "seed " + std::to_string(seed));
    }
}

// Every value label of every option stands once, in a cell of its own, on the row of its line's
// caption; the option's head stands above it.
TEST(ResultsFigures, EveryValueLabelOfEveryOptionStandsOnceUnderItsCaption)
{
    const Sheet sheet = resultsSheet(stPetersburg(), calc::allResults(stPetersburg()));
    const auto cells = cellsOf(sheet);
    const auto captionOf = [&](Place p) { // A of the row, or of the merged block above it
        for (const Merge& m : sheet.merges)
            if (m.firstColumn == 0 && m.firstRow <= p.first && p.first <= m.lastRow && m.firstRow != m.lastRow)
                return textAt(cells, {m.firstRow, 0});
        return textAt(cells, {p.first, 0});
    };
    std::set<Place> places;
    std::set<std::tuple<calc::ResultsPanel, int, std::string_view>> labels;
    for (const ResultsFigure& f : resultsFigures()) {
        EXPECT_TRUE(places.insert({f.row, f.column}).second) << f.label->name;
        EXPECT_TRUE(labels.insert({f.panel, f.option, f.label->name}).second) << f.label->name;
        const auto placed = calc::findValueLabel(f.label->name);
        ASSERT_TRUE(placed);
        EXPECT_EQ(placed->panel, f.panel);
        EXPECT_EQ(captionOf({f.row, f.column}), std::string(placed->line->caption.text)) << f.label->name;
    }
    std::size_t expected = 0;
    for (calc::ResultsPanel p : allOf<calc::ResultsPanel>())
        expected += calc::valueLabelCount(p) * static_cast<std::size_t>(optionCount(p));
    EXPECT_EQ(labels.size(), expected);
    EXPECT_EQ(optionName(calc::ResultsPanel::Incentives, 3),
        "Метод 2 - расчет с учетом всех потребностей, Краткосрочные режимы пребывания");
}

// The charts show the cells of the figures they stand for: normative and needs of a service in the
// three groups of a regime, named by their groups; and the expenses by kind, which add up to the
// expenses of step 16, beside its subsidy.
TEST(ResultsSheet, ChartsShowTheCellsOfTheirFigures)
{
    const InstitutionModel m = stPetersburg();
    const Sheet sheet = resultsSheet(m, calc::allResults(m));
    const auto cells = cellsOf(sheet);
    const auto figureAt = [&](calc::ResultsPanel panel, int option, std::string_view label) {
        for (const ResultsFigure& f : resultsFigures())
            if (f.panel == panel && f.option == option && f.label->name == label)
                return Place{f.row, f.column};
        return Place{0, 0};
    };
    const auto numberAt = [&](Place p) { return std::get<double>(cells.at(p)->value); };
    ASSERT_EQ(sheet.charts.size(), 4u); // short-term groups have no care normative: words stand there
    for (std::size_t i = 0; i < 3; ++i) {
        const Chart& chart = sheet.charts[i];
        const bool care = i == 2;
        const bool day = i != 0;
        ASSERT_EQ(chart.series.size(), 2u);
        for (std::size_t kind = 0; kind < 2; ++kind) {
            const ChartSeries& s = chart.series[kind];
            const calc::PanelLine& line = calc::line(care ? calc::NormativeLine::Care : calc::NormativeLine::Education);
            for (int g = 0; g < 3; ++g) {
                const int option = (day ? 3 : 0) + g;
                const Place figure = figureAt(calc::ResultsPanel::NormativeTable, option, line.values[kind].name);
                EXPECT_EQ(figure, (Place{s.values.firstRow, s.values.firstColumn + g})) << chart.title;
                EXPECT_EQ(textAt(cells, {s.categories.firstRow, s.categories.firstColumn + g}),
                    std::string(texts(static_cast<AgeGroup>(g)).calculation));
            }
            EXPECT_EQ(s.values.lastColumn - s.values.firstColumn, 2);
        }
    }
    const Chart& estimate = sheet.charts.back();
    ASSERT_EQ(estimate.kind, ChartKind::StackedColumns);
    ASSERT_EQ(estimate.series.size(), 7u);
    double expenses = 0;
    double subsidy = 0;
    for (const ChartSeries& s : estimate.series) {
        ASSERT_EQ(s.values.firstRow, s.values.lastRow);
        const auto cell = [&](int column) {
            const auto* n = std::get_if<double>(&cells.at({s.values.firstRow, column})->value);
            return n ? *n : 0.0;
        };
        expenses += cell(s.values.firstColumn);
        subsidy += cell(s.values.lastColumn);
        EXPECT_EQ(textAt(cells, {s.values.firstRow, 0}), s.name);
    }
    EXPECT_EQ(expenses, numberAt(figureAt(calc::ResultsPanel::Estimate, 0, "Label165")));
    EXPECT_EQ(subsidy, numberAt(figureAt(calc::ResultsPanel::Estimate, 0, "Label183")));
}

// The cells of what a step could not show stay empty, the line under its table says which, and no
// chart stands for figures that are not there.
TEST(ResultsSheet, WhatAStepCouldNotShowStaysEmptyAndIsNamed)
{
    InstitutionModel m = stPetersburg();
    m.regionalNormative[StayRegime::Day][AgeGroup::Senior][NormativePart::Care] = ModelValue::text("много");
    const Sheet partial = resultsSheet(m, calc::allResults(m));
    bool named = false;
    for (const Cell& c : partial.cells)
        if (const auto* t = std::get_if<std::string>(&c.value))
            named = named
                || *t
                    == "Не рассчитано (на экране вместо результатов показана панель ошибок): Дневные группы, Старшая "
                       "группа (от 5 до 7 лет).";
    EXPECT_TRUE(named);
    EXPECT_EQ(partial.charts.size(), 2u); // the short-term education chart and the estimate's

    m = stPetersburg();
    commitText(m, fields::positions2011(StaffRole::Teacher), "0"); // a payroll without positions
    const calc::AllResults failed = calc::allResults(m);
    const Sheet sheet = resultsSheet(m, failed);
    EXPECT_TRUE(sheet.charts.empty());
    const auto cells = cellsOf(sheet);
    for (const ResultsFigure& f : resultsFigures())
        EXPECT_EQ(textAt(cells, {f.row, f.column}), "") << f.label->name;
    EXPECT_TRUE(sheet.notes.empty());
    int notes = 0;
    for (const Cell& c : sheet.cells)
        if (const auto* t = std::get_if<std::string>(&c.value))
            notes += t->starts_with("Результаты шага не рассчитаны") ? 1 : 0;
    EXPECT_EQ(notes, 4);
}
