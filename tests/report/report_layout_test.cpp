#include "report/page_breaks.h"
#include "report/report.h"
#include "report/report_layout.h"
#include "report/row_fit.h"
#include "sample_model.h"

#include "model/defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace kvarton;
using namespace kvarton::report;
using kvarton::report::test::stPetersburg;

namespace {

using Value = CellValue;
using Values = std::map<std::string, Value>; // cell address → value

void putRow(Values& s, int row, std::initializer_list<Value> fromA)
{
    int column = 0;
    for (const Value& v : fromA)
        s[cellAddress(row, column++)] = v;
}

// The St Petersburg sheet, from the layout and defaults the course gives, not from the writer.
Values expectedStPetersburgValues()
{
    Values s;
    putRow(s, 1, {"Округ", "г. Санкт-Петербург"});
    putRow(s, 2, {"Наименование ДОУ", "ГДОУ детский сад № 5"});
    putRow(s, 3, {"Фамилия", "Иванова"});
    putRow(s, 4, {"И.", "А"});
    putRow(s, 5, {"О.", "П"});

    const char* roles[12] = {"Воспитатели", "Музыкальные руководители", "Методисты", "Инструктора по физкультуре",
        "Концертмейстеры", "Педагоги доп. Образования", "Педагоги - организаторы", "Социальные педагоги",
        "Педагоги - психологи", "Физкультурные руководители", "Дефектологи, логопеды", "Помощники воспитателей, няни"};
    const double direct[3][12] = {{10, 1, 0, 0.5, 0, 0, 0, 0, 1, 0, 0, 12},
        {3.5, 0.3, 0, 0.2, 0, 0, 0, 0, 0.35, 0, 0, 4}, {10, 1, 0, 0.5, 0, 0, 0, 0, 1, 0, 4, 12}};
    const double other[3][12] = {{0, 0.2, 0, 0.25, 0, 0, 0, 0, 0.8, 0, 0, 0},
        {0, 0.1, 0, 0.05, 0, 0, 0, 0, 0.25, 0, 0, 0}, {0, 0.2, 0, 0.25, 0, 0, 0, 0, 0.8, 0, 4, 0}};
    const auto workingTime = [&](int head, const char* title, const double(&hours)[3][12]) {
        putRow(s, head, {title, "Дневные группы", "Краткосрочные группы", "Коррекционные группы"});
        putRow(s, head + 1, {"Режим пребывания", 12.0, 4.0, 12.0});
        for (int r = 0; r < 12; ++r)
            putRow(s, head + 2 + r, {roles[r], hours[0][r], hours[1][r], hours[2][r]});
    };
    workingTime(7, "Время непосредственной работы", direct);
    workingTime(22, "Прочее время работы", other);

    putRow(s, 37, {"Штатное рассписание 2011", "Фонд ЗП (без отчислений)", "Количество ставок"});
    putRow(s, 38, {"Педагогический персонал (всего)", 6726023.0, 25.9});
    const double payroll[11] = {4304792, 456000, 0, 240000, 0, 0, 0, 0, 489767, 0, 1222214};
    const double positions[11] = {16.7, 1.9, 0, 1, 0, 0, 0, 0, 1.9, 0, 4.4};
    for (int r = 0; r < 11; ++r)
        putRow(s, 39 + r, {roles[r], payroll[r], positions[r]});
    putRow(s, 50, {"Учебно-вспомогательный персонал", 1564016.0, 7.1});
    putRow(s, 51, {"Административно-управленческий персонал", 1486896.0, 2.0});
    putRow(s, 52, {"Медицинский персонал", 220284.0, 1.0});
    putRow(s, 53, {"Обслуживающий персонал", 256999.0, 14.0});

    putRow(s, 55,
        {"Государственное задание, услуг", "Младшая группа (1,5-3)", "Средняя группа (3-5)", "Старшая группа (5-7)"});
    putRow(s, 56, {"Краткосрочные группы", 0.0, 20.0, 0.0});
    putRow(s, 57, {"Группы с дневным режимом", 0.0, 50.0, 30.0});

    putRow(
        s, 59, {"Оказываемые услуги, услуг", "Младшая группа (1,5-3)", "Средняя группа (3-5)", "Старшая группа (5-7)"});
    const char* modes[10] = {"3 часа", "4 часа", "5 часов", "6 часов", "8 часов", "10 часов", "10,5 часов", "12 часов",
        "14 часов", "24 часа"};
    for (int m = 0; m < 10; ++m) {
        putRow(s, 60 + m, {std::string("Общеразвивающая группа, ") + modes[m], 0.0, 0.0, 0.0});
        putRow(s, 70 + m, {std::string("Коррекционная группа, ") + modes[m], 0.0, 0.0, 0.0});
    }
    s["C60"] = 20.0; // middle group, 3 hours
    s["C65"] = 50.0; // middle group, 10 hours
    s["C75"] = 20.0; // of them in compensating groups
    s["D68"] = 30.0; // senior group, 14 hours

    putRow(s, 81, {"Параметры деятельности ДОУ"});
    const struct {
        const char* label;
        double value;
        const char* unit;
    } parameters[16] = {
        {"Доля стимулирующих выплат непедагогического персонала в ФОТ", 20, "%"},
        {"Доля компенсационных выплат педагогического персонала в ФОТ", 10, "%"},
        {"Доля доплат педагогического персонала за награды и звания", 5, "%"},
        {"Коэффициент соотношения з/п заместителей и руководителя", 80, "%"},
        {"Доля ФОТ АУП в услуге по обучению детей", 50, "%"},
        {"Доля ФОТ обслуживающего персонала в услуге по обучению детей", 10, "%"},
        {"Материально-технические затраты как доля от ФОТ педперсонала", 12, "%"},
        {"Доля материально-технических затрат в услуг по обучению детей", 60, "%"},
        {"Доля специальной части ФОТ педагогического персонала", 36, "%"},
        {"Процент роста з/п педперсонала в 2012 году", 15, "%"},
        {"Режим работы ДОУ (месяцев в году)", 10, "месяцев"},
        {"Режим работы ДОУ (дней в неделю)", 5, "дней"},
        {"Наполняемость общеразвивающих групп (младшая группа)", 15, "детей"},
        {"Наполняемость общеразвивающих групп (средняя и старшая группы)", 20, "детей"},
        {"Наполняемость коррекционных групп (младшая группа)", 8, "детей"},
        {"Наполняемость коррекционных групп (средняя и старшая группы)", 10, "детей"},
    };
    for (int r = 0; r < 16; ++r)
        putRow(s, 82 + r, {parameters[r].label, parameters[r].value, parameters[r].unit});

    putRow(s, 99, {"АУП, УВП и обслуживающий персонал на 2012 год", "Оклад", "Количество ставок"});
    const struct {
        const char* label;
        Value salary;
        double positions;
    } staff[13] = {
        {"Заместители руководителя по воспитанию, методической работе", "-", 1},
        {"Заместители руководителя по хозяйству, безопасности", "-", 0},
        {"Бухгалтера", 16000.0, 1},
        {"Делопроизводители", 14000.0, 1},
        {"Медицинский персонал", 15000.0, 1},
        {"Шеф-повар", 0.0, 0},
        {"Работники питания", 14000.0, 4},
        {"Кладовщики", 14000.0, 1},
        {"Кастельянши", 14000.0, 1.5},
        {"Рабочие по стирке белья", 14000.0, 1},
        {"Грузчики", 14000.0, 1},
        {"Рабочие по ремонту, обслуживанию зданий", 14000.0, 1},
        {"Прочие ставки", 14000.0, 2.5},
    };
    for (int r = 0; r < 13; ++r)
        putRow(s, 100 + r, {staff[r].label, staff[r].salary, staff[r].positions});
    return s;
}

Values values(const Sheet& sheet)
{
    Values s;
    for (const Cell& cell : sheet.cells)
        EXPECT_TRUE(s.emplace(cellAddress(cell.row, cell.column), cell.value).second)
            << cellAddress(cell.row, cell.column) << " written twice";
    return s;
}

std::string show(const Value& v)
{
    return std::holds_alternative<double>(v) ? "number " + std::to_string(std::get<double>(v))
                                             : "text \"" + std::get<std::string>(v) + "\"";
}

} // namespace

TEST(ReportSheet, StPetersburgValuesCellByCell)
{
    const Values expected = expectedStPetersburgValues();
    const Values actual = values(reportSheet(stPetersburg()));
    for (const auto& [cell, value] : expected) {
        const auto it = actual.find(cell);
        ASSERT_NE(it, actual.end()) << cell << " not written";
        EXPECT_EQ(it->second, value) << cell << ": " << show(it->second) << ", expected " << show(value);
    }
    for (const auto& [cell, value] : actual)
        EXPECT_TRUE(expected.contains(cell)) << "unexpected " << cell << ": " << show(value);
}

// Everything is centred and wrapped; the tables are bordered and their head rows bold.
TEST(ReportSheet, StPetersburgStylesMergesWidthsHeightsAndPage)
{
    const Sheet sheet = reportSheet(stPetersburg());
    EXPECT_EQ(sheet.name, "Sheet1");
    const auto centre = Horizontal::Centre;
    const Style centred{.horizontal = centre, .vertical = Vertical::Centre, .wrap = true};
    const Style bordered{.bordered = true, .horizontal = centre, .vertical = Vertical::Centre, .wrap = true};
    const Style head{.bold = true, .bordered = true, .horizontal = centre, .vertical = Vertical::Centre, .wrap = true};

    const std::map<int, int> headColumns{{7, 4}, {22, 4}, {37, 3}, {55, 4}, {59, 4}, {81, 1}, {99, 3}};
    std::pair<int, int> previous{0, -1};
    for (const Cell& cell : sheet.cells) {
        const std::string at = cellAddress(cell.row, cell.column);
        EXPECT_LT(previous, std::pair(cell.row, cell.column)) << at << ": cells go row after row";
        previous = {cell.row, cell.column};
        const auto heads = headColumns.find(cell.row);
        const bool isHead = heads != headColumns.end() && cell.column < heads->second;
        ASSERT_LT(static_cast<std::size_t>(cell.style), sheet.styles.size()) << at;
        EXPECT_EQ(sheet.styles[static_cast<std::size_t>(cell.style)], isHead ? head : bordered) << at;
    }

    ASSERT_EQ(sheet.merges.size(), 1u);
    const Merge m = sheet.merges[0];
    EXPECT_EQ(cellAddress(m.firstRow, m.firstColumn) + ":" + cellAddress(m.lastRow, m.lastColumn), "A81:C81");

    ASSERT_EQ(sheet.columns.size(), 4u);
    for (const Column& c : sheet.columns) {
        EXPECT_EQ(c.width, c.column == 0 ? 41 : 15.43) << columnName(c.column);
        EXPECT_EQ(sheet.styles.at(static_cast<std::size_t>(c.style)), centred) << columnName(c.column);
    }

    // The region's name takes three lines of column B, the institution's two; the labels and
    // heads that do not fit on one line take two.
    std::map<int, double> heights{{1, 45}};
    for (const int row : {2, 7, 22, 37, 51, 55, 59, 82, 83, 84, 85, 87, 88, 89, 90, 91, 94, 95, 96, 97, 99, 100, 101})
        heights[row] = 30;
    EXPECT_EQ(sheet.rowHeights, heights);

    EXPECT_EQ(sheet.page.paper, Paper::A4);
    EXPECT_TRUE(sheet.page.fitToPageWidth);
    EXPECT_EQ(sheet.page.header, "");
    // 37–80 and 81–112 would each run over the page they begin on: each of their tables goes whole
    // onto the next page, the step-12 table with the rest of step 11's.
    EXPECT_EQ(sheet.page.pageBreaks, (std::vector<int>{37, 81}));
}

// A table head never ends a printed page apart from its rows, counted on pages of 733 points
// (48 rows of 15 points and a little).
TEST(ReportSheet, TablesBeginPagesWhereTheyWouldNotFit)
{
    const struct {
        int rows;
        std::vector<int> heads;
        double columnWidth; // of four columns
        std::vector<int> breaks;
    } cases[] = {
        {60, {40}, 15, {40}}, // rows 40–60 would part after row 48
        {60, {10, 30}, 15, {30}}, // the first table fits the first page, the second does not
        {60, {10, 11, 30}, 15, {30}}, // a head of two rows
        {200, {45}, 15, {}}, // a table longer than a page keeps its head with its first row…
        {200, {48}, 15, {48}}, // …which here would begin the next page
        {200, {50}, 15, {}}, // the spreadsheet's own break at row 49 is in time
        {60, {40}, 40, {}}, // columns fitted into the page's width print smaller
    };
    for (const auto& c : cases) {
        Sheet sheet;
        sheet.page.fitToPageWidth = true;
        for (int column = 0; column < 4; ++column)
            sheet.columns.push_back({column, c.columnWidth});
        for (int row = 1; row <= c.rows; ++row) {
            const bool head = std::find(c.heads.begin(), c.heads.end(), row) != c.heads.end();
            sheet.cells.push_back({row, 0, std::string("x"), head ? 1 : 0});
        }
        EXPECT_EQ(headKeepingBreaks(sheet, 1), c.breaks) << c.rows << " rows, head at " << c.heads.front();
    }
}

TEST(ReportSheet, ValuesAreCurrencyNumbersAndIdentityIsAsTyped)
{
    auto m = stPetersburg();
    m.institutionName = "  ГДОУ № 5 ";
    m.surname = "=1+1";
    m.firstInitial = "-2";
    m.patronymicInitial = "";
    m.directHours[GroupKind::GeneralDay][StaffRole::Teacher] = ModelValue::text("0,25");
    m.payroll2011[StaffRole::Teacher] = ModelValue{};
    m.payroll2011Admin = ModelValue::text("12,34565"); // four decimals, half to even
    m.payroll2011Medical = ModelValue::text("-3786064737909,55");
    m.serviceSalary[ServicePosition::OtherPositions] = ModelValue::single(0.05f);
    m.groupSize[GroupOrientation::Compensating][AgeBand::ThreeAndOver] = ModelValue::single(12.0f);

    const Values s = values(reportSheet(m));
    EXPECT_EQ(s.at("B2"), Value("  ГДОУ № 5 "));
    EXPECT_EQ(s.at("B3"), Value("=1+1"));
    EXPECT_EQ(s.at("B4"), Value("-2"));
    EXPECT_EQ(s.at("B5"), Value(""));
    EXPECT_EQ(s.at("B9"), Value(0.25));
    EXPECT_EQ(s.at("B39"), Value(0.0));
    EXPECT_EQ(s.at("B51"), Value(12.3456));
    EXPECT_EQ(s.at("B52"), Value(-3786064737909.55)); // the nearest double, also for large amounts
    EXPECT_EQ(s.at("B112"), Value(0.05));
    EXPECT_EQ(s.at("B97"), Value(12.0));
    EXPECT_EQ(s.at("B100"), Value("-"));
}

TEST(ReportSheet, InputsThatAreNoNumbersAreNamedInTheOrderOfTheWizard)
{
    auto m = stPetersburg();
    m.serviceSalary[ServicePosition::Accountant] = ModelValue::text("16 000");
    m.payroll2011[StaffRole::Teacher] = ModelValue::text("4304792 руб.");
    m.payroll2011Service = ModelValue::text("256999.50"); // a decimal point is no number here
    m.payroll2011PedTotal = ModelValue::text("922337203685478"); // beyond the currency range
    m.providedServices[AgeGroup::Senior][GroupOrientation::Compensating][StayMode::Hours24] = ModelValue::text("x");
    m.directHours[GroupKind::Compensating][StaffRole::Teacher] = ModelValue::text("?");
    m.directHours[GroupKind::GeneralDay][StaffRole::Methodologist] = ModelValue::text("?");

    // Each named as its step shows it, not by the sheet's captions.
    const std::vector<std::string> names{"Шаг 1: Инструктор - методист", "Шаг 5: Воспитатель",
        "Шаг 7: Фонд оплаты труда педагогического персонала и УВП (всего)", "Шаг 7: Воспитатель",
        "Шаг 7: Фонд оплаты труда прочего (обслуживающего персонала)",
        "Шаг 10: от 5-ти до 7-ми лет (старшая группа), в том числе группы коррекционной направленности с "
        "соответствующим режимом, 24 часа",
        "Шаг 12: Бухгалтер, экономист, оклад на должность"};
    EXPECT_EQ(invalidInputs(m), names);
    EXPECT_TRUE(invalidInputs(stPetersburg()).empty());
}

// A very long institution name: its row stays within what a spreadsheet allows, its cell alone
// gets a smaller font, and the name is written whole.
TEST(ReportSheet, AVeryLongNameShrinksItsOwnCellOnly)
{
    auto m = stPetersburg();
    while (m.institutionName.size() < 1900)
        m.institutionName += "Детский сад общеразвивающего вида с приоритетным направлением ";
    const Sheet sheet = reportSheet(m);
    for (const auto& [row, height] : sheet.rowHeights)
        EXPECT_LE(height, kMaxRowHeight) << row;
    for (const Cell& cell : sheet.cells) {
        const Style& style = sheet.styles.at(static_cast<std::size_t>(cell.style));
        if (cell.row == 2 && cell.column == 1) {
            EXPECT_EQ(cell.value, Value(m.institutionName));
            EXPECT_GT(style.fontSize, 0);
            EXPECT_LT(style.fontSize, kDefaultFontSize);
            EXPECT_TRUE(style.bordered);
        } else {
            EXPECT_EQ(style.fontSize, 0) << cellAddress(cell.row, cell.column);
        }
    }
    EXPECT_EQ(reportSheet(stPetersburg()).styles.size(), 3u); // a usual name changes nothing
}
