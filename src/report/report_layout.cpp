#include "report_layout.h"

#include "page_breaks.h"
#include "row_fit.h"

#include "model/conversion.h"
#include "model/field_captions.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kvarton::report {

namespace {

constexpr int A = 0, B = 1, C = 2, D = 3;

// The styles of the sheet: everything is centred both ways and wrapped, a column's empty cells
// included; the filled cells are bordered, the head rows of the blocks bold.
enum StyleIndex : int { Centred, Bordered, Head };

// Fills the cells row after row, each from left to right.
class Builder final {
public:
    void text(int row, int column, std::string text) { cells_.push_back({row, column, std::move(text)}); }
    void head(int row, int column, std::string text) { cells_.push_back({row, column, std::move(text), true}); }
    void identity(int row, int column, IdentityField f) { cells_.push_back({row, column, f}); }
    // An input is named as its step shows it, not by the sheet's captions.
    void input(int row, int column, FieldRef f)
    {
        cells_.push_back({row, column, InputCell{f, fieldPlace(f).step, fieldName(f)}});
    }

    std::vector<ReportCell> cells() && { return std::move(cells_); }

private:
    std::vector<ReportCell> cells_;
};

constexpr IdentityRow kIdentityRows[] = {
    {"Округ", &InstitutionModel::regionName},
    {"Наименование ДОУ", &InstitutionModel::institutionName},
    {"Фамилия", &InstitutionModel::surname},
    {"И.", &InstitutionModel::firstInitial},
    {"О.", &InstitutionModel::patronymicInitial},
};

void addIdentity(Builder& b)
{
    int row = 1;
    for (const IdentityRow& r : kIdentityRows) {
        b.text(row, A, std::string(r.label));
        b.identity(row, B, r.field);
        ++row;
    }
}

// Rows 7–20 (direct work, steps 1, 3, 5) and 22–35 (other work, steps 2, 4, 6).
void addWorkingTime(Builder& b, int headRow, const char* title, FieldRef (*stayHours)(GroupKind),
    FieldRef (*hours)(GroupKind, StaffRole))
{
    b.head(headRow, A, title);
    for (GroupKind k : allOf<GroupKind>())
        b.head(headRow, B + static_cast<int>(ix(k)), std::string(texts(k).reportColumn));

    b.text(headRow + 1, A, "Режим пребывания");
    for (GroupKind k : allOf<GroupKind>())
        b.input(headRow + 1, B + static_cast<int>(ix(k)), stayHours(k));
    int row = headRow + 2;
    for (StaffRole r : allOf<StaffRole>()) {
        b.text(row, A, std::string(texts(r).report));
        for (GroupKind k : allOf<GroupKind>())
            b.input(row, B + static_cast<int>(ix(k)), hours(k, r));
        ++row;
    }
}

// Rows 37–53: payroll (step 7) and positions (step 8) of 2011.
void addStaffing2011(Builder& b)
{
    b.head(37, A, "Штатное рассписание 2011");
    b.head(37, B, "Фонд ЗП (без отчислений)");
    b.head(37, C, "Количество ставок");
    struct Row {
        std::string label;
        FieldRef payroll;
        FieldRef positions;
    };
    std::vector<Row> rows{
        {"Педагогический персонал (всего)", fields::payroll2011PedTotal(), fields::positions2011PedTotal()}};
    for (StaffRole r : allOf<StaffRole>())
        if (isPedagogical(r))
            rows.push_back({std::string(texts(r).report), fields::payroll2011(r), fields::positions2011(r)});
    const StaffRole support = StaffRole::TeacherAssistant;
    rows.push_back({"Учебно-вспомогательный персонал", fields::payroll2011(support), fields::positions2011(support)});
    rows.push_back(
        {"Административно-управленческий персонал", fields::payroll2011Admin(), fields::positions2011Admin()});
    rows.push_back({"Медицинский персонал", fields::payroll2011Medical(), fields::positions2011Medical()});
    rows.push_back({"Обслуживающий персонал", fields::payroll2011Service(), fields::positions2011Service()});
    int row = 38;
    for (Row& r : rows) {
        b.text(row, A, std::move(r.label));
        b.input(row, B, r.payroll);
        b.input(row, C, r.positions);
        ++row;
    }
}

void addAgeGroupHeads(Builder& b, int row)
{
    for (AgeGroup a : allOf<AgeGroup>())
        b.head(row, B + static_cast<int>(ix(a)), std::string(texts(a).report));
}

// Rows 55–57: the state assignment, step 9.
void addStateAssignment(Builder& b)
{
    b.head(55, A, "Государственное задание, услуг");
    addAgeGroupHeads(b, 55);
    int row = 56;
    for (StayRegime s : allOf<StayRegime>()) {
        b.text(row, A, std::string(texts(s).screen));
        for (AgeGroup a : allOf<AgeGroup>())
            b.input(row, B + static_cast<int>(ix(a)), fields::assignedServices(s, a));
        ++row;
    }
}

// Rows 59–79: the services provided by group orientation and stay mode, step 10.
void addServicesProvided(Builder& b)
{
    b.head(59, A, "Оказываемые услуги, услуг");
    addAgeGroupHeads(b, 59);
    int row = 60;
    for (GroupOrientation o : allOf<GroupOrientation>())
        for (StayMode m : allOf<StayMode>()) {
            b.text(row, A, std::string(texts(o).singular).append(", ").append(info(m).reportText));
            for (AgeGroup a : allOf<AgeGroup>())
                b.input(row, B + static_cast<int>(ix(a)), fields::providedServices(a, o, m));
            ++row;
        }
}

// Rows 81–97: the institution's parameters, step 11.
void addParameters(Builder& b)
{
    b.head(81, A, "Параметры деятельности ДОУ");
    struct Row {
        const char* label;
        FieldRef field;
        const char* unit;
    };
    using O = GroupOrientation;
    const std::array<Row, 16> rows{{
        {"Доля стимулирующих выплат непедагогического персонала в ФОТ", fields::incentiveShareNonPed(), "%"},
        {"Доля компенсационных выплат педагогического персонала в ФОТ", fields::compensationSharePed(), "%"},
        {"Доля доплат педагогического персонала за награды и звания", fields::awardsSharePed(), "%"},
        {"Коэффициент соотношения з/п заместителей и руководителя", fields::deputySalaryCoefficient(), "%"},
        {"Доля ФОТ АУП в услуге по обучению детей", fields::adminPayrollTeachingShare(), "%"},
        {"Доля ФОТ обслуживающего персонала в услуге по обучению детей", fields::servicePayrollTeachingShare(), "%"},
        {"Материально-технические затраты как доля от ФОТ педперсонала", fields::materialCostsPercentOfPedPayroll(),
            "%"},
        {"Доля материально-технических затрат в услуг по обучению детей", fields::materialCostsTeachingShare(), "%"},
        {"Доля специальной части ФОТ педагогического персонала", fields::specialPartSharePed(), "%"},
        {"Процент роста з/п педперсонала в 2012 году", fields::pedSalaryGrowthPercent2012(), "%"},
        {"Режим работы ДОУ (месяцев в году)", fields::monthsPerYear(), "месяцев"},
        {"Режим работы ДОУ (дней в неделю)", fields::daysPerWeek(), "дней"},
        {"Наполняемость общеразвивающих групп (младшая группа)",
            fields::groupSize(O::GeneralDevelopment, AgeBand::UnderThree), "детей"},
        {"Наполняемость общеразвивающих групп (средняя и старшая группы)",
            fields::groupSize(O::GeneralDevelopment, AgeBand::ThreeAndOver), "детей"},
        {"Наполняемость коррекционных групп (младшая группа)", fields::groupSize(O::Compensating, AgeBand::UnderThree),
            "детей"},
        {"Наполняемость коррекционных групп (средняя и старшая группы)",
            fields::groupSize(O::Compensating, AgeBand::ThreeAndOver), "детей"},
    }};
    int row = 82;
    for (const Row& r : rows) {
        b.text(row, A, r.label);
        b.input(row, B, r.field);
        b.text(row, C, r.unit);
        ++row;
    }
}

// Rows 99–112: the service staff of 2012, step 12. The deputies have no salary of their own.
void addStaff2012(Builder& b)
{
    b.head(99, A, "АУП, УВП и обслуживающий персонал на 2012 год");
    b.head(99, B, "Оклад");
    b.head(99, C, "Количество ставок");
    int row = 100;
    for (ServicePosition p : allOf<ServicePosition>()) {
        b.text(row, A, std::string(texts(p).report));
        if (hasSalary(p))
            b.input(row, B, fields::serviceSalary(p));
        else
            b.text(row, B, "-");
        b.input(row, C, fields::servicePositions(p));
        ++row;
    }
}

std::vector<ReportCell> buildCells()
{
    Builder b;
    addIdentity(b);
    addWorkingTime(b, 7, "Время непосредственной работы", fields::directStayHours, fields::directHours);
    addWorkingTime(b, 22, "Прочее время работы", fields::otherStayHours, fields::otherHours);
    addStaffing2011(b);
    addStateAssignment(b);
    addServicesProvided(b);
    addParameters(b);
    addStaff2012(b);
    return std::move(b).cells();
}

// A text the learner typed (a long institution name) may need more height than a row can have:
// its cell gets a smaller font, just small enough for the text to fit the tallest row, so that it
// is still read whole on screen and on the printed page. Every other cell keeps its look.
void shrinkTallTexts(Sheet& sheet)
{
    for (Cell& cell : sheet.cells) {
        const auto* text = std::get_if<std::string>(&cell.value);
        const double width = sheet.columns.at(static_cast<std::size_t>(cell.column)).width;
        if (!text || fittedRowHeight(*text, width, true) < kMaxRowHeight)
            continue;
        Style smaller = sheet.styles.at(static_cast<std::size_t>(cell.style));
        smaller.fontSize = fittingFontSize(*text, width);
        const auto same = std::find(sheet.styles.begin(), sheet.styles.end(), smaller);
        cell.style = static_cast<int>(same - sheet.styles.begin());
        if (same == sheet.styles.end())
            sheet.styles.push_back(smaller);
    }
}

} // namespace

std::span<const IdentityRow> identityRows() noexcept { return kIdentityRows; }

const std::vector<ReportCell>& reportCells()
{
    static const std::vector<ReportCell> cells = buildCells();
    return cells;
}

std::optional<double> reportNumber(const ModelValue& value) noexcept
{
    // A field left blank on its step holds an empty text: it is as empty as a field never filled.
    const std::string* text = value.textIf();
    auto number = text && text->empty() ? std::optional<double>(0.0) : value.toNumber();
    // The workbook is the learner's record of what they entered: a single number is written as
    // the text its field shows ("100000,01"), not as the float's binary value (100000.0078125).
    if (number && value.isSingle())
        number = shortestDecimal(static_cast<float>(*number));
    if (!number)
        return std::nullopt;
    const auto amount = Currency::fromDouble(*number);
    if (!amount)
        return std::nullopt;
    // Units up to 2^53 are exact doubles, so one division gives the nearest double. Beyond that
    // the units would be rounded before the division as well, which can miss the nearest double
    // by a step; whole roubles and the fraction are converted apart instead.
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    const std::int64_t units = amount->units();
    if (units > -kExact && units < kExact)
        return static_cast<double>(units) / 10000.0;
    return static_cast<double>(units / 10000) + static_cast<double>(units % 10000) / 10000.0;
}

Sheet reportSheet(const InstitutionModel& model)
{
    Sheet sheet;
    sheet.name = "Sheet1";
    const Style centred{.horizontal = Horizontal::Centre, .vertical = Vertical::Centre, .wrap = true};
    sheet.styles = {centred, centred, centred};
    sheet.styles[Bordered].bordered = sheet.styles[Head].bordered = true;
    sheet.styles[Head].bold = true;

    for (const ReportCell& cell : reportCells()) {
        CellValue value;
        if (const auto* text = std::get_if<std::string>(&cell.content))
            value = *text;
        else if (const auto* identity = std::get_if<IdentityField>(&cell.content))
            value = model.*(*identity);
        else
            value = reportNumber(field(model, std::get<InputCell>(cell.content).field)).value_or(0.0);
        sheet.cells.push_back({cell.row, cell.column, std::move(value), cell.head ? Head : Bordered});
    }
    sheet.merges = {kParametersHeading};
    for (int column = A; column <= D; ++column)
        sheet.columns.push_back({column, column == A ? 41 : 15.43, Centred});
    shrinkTallTexts(sheet);
    sheet.rowHeights = fittedRowHeights(sheet);
    sheet.page.paper = Paper::A4;
    sheet.page.fitToPageWidth = true;
    sheet.page.pageBreaks = headKeepingBreaks(sheet, Head);
    return sheet;
}

} // namespace kvarton::report
