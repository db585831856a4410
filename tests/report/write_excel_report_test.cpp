#include "report/cell_range.h"
#include "report/recording_sheet.h"
#include "report/report.h"
#include "report/write_excel_report.h"
#include "sample_model.h"

#include "model/defaults.h"

#include <gtest/gtest.h>

#include <map>

using namespace kvarton;
using namespace kvarton::report;
using kvarton::report::test::stPetersburg;

namespace {

using Value = std::variant<std::string, double>;
using Sheet = std::map<std::string, Value>; // cell address → value

void putRow(Sheet& s, int row, std::initializer_list<Value> fromA)
{
    int column = 0;
    for (const Value& v : fromA)
        s[cellAddress(row, column++)] = v;
}

// The St Petersburg sheet, from the layout and defaults the course gives, not from the writer.
Sheet expectedStPetersburgSheet()
{
    Sheet s;
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

RecordingSheet record(const InstitutionModel& m)
{
    RecordingSheet sheet;
    const auto problem = writeExcelReport(m, sheet);
    EXPECT_FALSE(problem) << problem->message;
    return sheet;
}

Sheet written(const RecordingSheet& sheet)
{
    Sheet s;
    for (const auto& w : sheet.writes)
        EXPECT_TRUE(s.emplace(w.cell, w.value).second) << w.cell << " written twice";
    return s;
}

std::string show(const Value& v)
{
    return std::holds_alternative<double>(v) ? "number " + std::to_string(std::get<double>(v))
                                             : "text \"" + std::get<std::string>(v) + "\"";
}

} // namespace

TEST(WriteExcelReport, StPetersburgSheetCellByCell)
{
    const Sheet expected = expectedStPetersburgSheet();
    const Sheet actual = written(record(stPetersburg()));
    for (const auto& [cell, value] : expected) {
        const auto it = actual.find(cell);
        ASSERT_NE(it, actual.end()) << cell << " not written";
        EXPECT_EQ(it->second, value) << cell << ": " << show(it->second) << ", expected " << show(value);
    }
    for (const auto& [cell, value] : actual)
        EXPECT_TRUE(expected.contains(cell)) << "unexpected " << cell << ": " << show(value);
}

TEST(WriteExcelReport, WritesColumnAfterColumnTopDown)
{
    const auto sheet = record(stPetersburg());
    std::pair<int, int> previous{-1, 0};
    for (const auto& w : sheet.writes) {
        const auto r = parseRange(w.cell);
        ASSERT_TRUE(r) << w.cell;
        const std::pair<int, int> at{r->firstColumn, r->firstRow};
        EXPECT_LT(previous, at) << w.cell;
        previous = at;
    }
}

TEST(WriteExcelReport, FormatsRangeByRangeInOrder)
{
    const std::string alignment = "horizontal centre, vertical centre, wrap on, orientation 0, add indent off, "
                                  "indent level 0, shrink to fit off, reading order context, merge cells off";
    const std::vector<std::string> expected{"number format B8:D20 General", "number format B23:D35 General",
        "number format B38:C53 General", "number format B56:D57 General", "number format B60:D79 General",
        "number format B82:B97 General", "number format B100:C112 General", "alignment A:D " + alignment,
        "column width A:A 41", "column width B:D 15.43", "auto-fit rows", "thin borders A99:C112",
        "thin borders A81:C97", "alignment A81:C81 " + alignment, "merge A81:C81", "thin borders A59:D79",
        "thin borders A55:D57", "thin borders A37:C53", "thin borders A22:D35", "thin borders A7:D20",
        "thin borders A1:B5", "bold A7:D7", "bold A22:D22", "bold A37:C37", "bold A55:D55", "bold A59:D59",
        "bold A81:C81", "bold A99:C99"};
    EXPECT_EQ(record(stPetersburg()).formatting, expected);
}

TEST(WriteExcelReport, ValuesAreCurrencyNumbersAndIdentityIsAsTyped)
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

    const Sheet s = written(record(m));
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

TEST(WriteExcelReport, InputsThatAreNoNumbersStopTheReportAndAreNamed)
{
    auto m = stPetersburg();
    m.serviceSalary[ServicePosition::Accountant] = ModelValue::text("16 000");
    m.payroll2011[StaffRole::Teacher] = ModelValue::text("4304792 руб.");
    m.payroll2011Service = ModelValue::text("256999.50"); // a decimal point is no number here
    m.payroll2011PedTotal = ModelValue::text("922337203685478"); // beyond the currency range
    m.providedServices[AgeGroup::Senior][GroupOrientation::Compensating][StayMode::Hours24] = ModelValue::text("x");

    const std::vector<std::string> names{"Шаг 7: Педагогический персонал (всего)", "Шаг 7: Воспитатели",
        "Шаг 7: Обслуживающий персонал", "Шаг 10: Коррекционная группа, 24 часа — Старшая группа (5-7)",
        "Шаг 12: Бухгалтера — Оклад"};
    EXPECT_EQ(invalidInputs(m), names);

    RecordingSheet sheet;
    const auto problem = writeExcelReport(m, sheet);
    ASSERT_TRUE(problem);
    for (const auto& name : names)
        EXPECT_NE(problem->message.find(name), std::string::npos) << problem->message;
    EXPECT_TRUE(sheet.writes.empty());
    EXPECT_TRUE(sheet.formatting.empty());

    EXPECT_TRUE(invalidInputs(stPetersburg()).empty());
}
