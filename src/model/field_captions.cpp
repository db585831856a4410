#include "field_captions.h"

#include <array>

namespace kvarton {

namespace {

// Steps 1–6: the stay hours above the roles.
constexpr std::string_view kStayHours = "Режим пребывания";

// Rows 13–16 of steps 7 and 8, beyond the twelve roles: each row's caption names the step's
// quantity (the payroll on step 7, the positions on step 8).
enum class StaffGroup { PedagogicalTotal, Admin, Medical, Service };
struct StaffGroupCaptions {
    std::string_view payroll;
    std::string_view positions;
};
constexpr std::array<StaffGroupCaptions, 4> kStaffGroups{{
    {"Фонд оплаты труда педагогического персонала и УВП (всего)",
        "Количество ставок педагогического персонала и УВП (всего)"},
    {"Фонд оплаты труда заведующих и заместителей заведующих",
        "Количество ставок заведующих и заместителей заведующих"},
    {"Фонд оплаты труда медицинского персонала", "Количество ставок медицинского персонала"},
    {"Фонд оплаты труда прочего (обслуживающего персонала)", "Количество ставок прочего (обслуживающего персонала)"},
}};

// Steps 9 and 10: a box per age group, whose head names the ages; on step 9 a list per regime,
// on step 10 a column per stay mode and a second row for the compensating groups.
constexpr std::array<std::string_view, kCount<AgeGroup>> kBoxAges{"от 1,5 до 3-х лет (младшая группа)",
    "от 3-х до 5-ти лет (средняя группа)", "от 5-ти до 7-ми лет (старшая группа)"};
constexpr std::array<std::string_view, kCount<StayRegime>> kAssignmentHeads{
    "в группах с краткосрочным режимом", "в группах с иными режимами пребывания"};
constexpr std::string_view kCompensatingRow
    = "в том числе группы коррекционной направленности с соответствующим режимом";

// Step 11: the numbered questions with one list each, then question 12 (two lists with their
// units) and question 13 (group sizes by row and column).
struct Question {
    FieldRef field;
    std::string_view text;
};
constexpr std::array<Question, 10> kQuestions{{
    {fields::incentiveShareNonPed(),
        "1. Введите долю стимулирующих выплат в общем фонде оплаты труда работников, не относящихся к "
        "педагогическому персоналу"},
    {fields::specialPartSharePed(), "2. Введите долю специальной части ФОТ педагогических работников"},
    {fields::compensationSharePed(), "3. Введите долю компенсационных выплат в ФОТ педперсонала"},
    {fields::awardsSharePed(), "4. Введите долю доплат за звания и награды в ФОТ педперсонала"},
    {fields::deputySalaryCoefficient(), "6. Введите коэффициент оклада заместителей руководителя"},
    {fields::adminPayrollTeachingShare(), "7. Введите долю оплаты труда АУП, относимую на услуги по обучению"},
    {fields::servicePayrollTeachingShare(),
        "8. Введите долю оплаты труда обслуживающего персонала, относимую на услуги по обучению воспитанников"},
    {fields::materialCostsPercentOfPedPayroll(),
        "9. Введите объем расходов на обеспечение материальных затрат как процент от фонда оплаты труда "
        "педагогического персонала"},
    {fields::materialCostsTeachingShare(), "10. Из него доля расходов, относимая на оказание услуг по обучению"},
    {fields::pedSalaryGrowthPercent2012(),
        "11. Введите процент увеличения средней з/п педперсонала в 2012 году по отношению к 2011 году"},
}};
constexpr std::string_view kRegimeQuestion = "12. Укажите режим работы  ДОУ:";
constexpr std::array<std::string_view, kCount<GroupOrientation>> kGroupSizeRows{
    "в группах общеразвивающей направленности", "в группах коррекционной направленности"};

template <typename E>
E member(FieldRef r, std::size_t n)
{
    return static_cast<E>(r.index(n));
}

// Steps 1–6 go through the kinds of group, each with its direct work first.
int workingTimeStep(GroupKind g, bool direct) { return 1 + 2 * static_cast<int>(ix(g)) + (direct ? 0 : 1); }

FieldPlace staffPlace(FieldRef r)
{
    const auto group = [&](StaffGroup g, bool payroll) {
        const StaffGroupCaptions& captions = kStaffGroups[static_cast<std::size_t>(g)];
        return FieldPlace{payroll ? 7 : 8, {payroll ? captions.payroll : captions.positions}};
    };
    switch (r.family()) {
    case Field::Payroll2011:
        return {7, {texts(member<StaffRole>(r, 0)).screen}};
    case Field::Positions2011:
        return {8, {texts(member<StaffRole>(r, 0)).screen}};
    case Field::Payroll2011PedTotal:
        return group(StaffGroup::PedagogicalTotal, true);
    case Field::Payroll2011Admin:
        return group(StaffGroup::Admin, true);
    case Field::Payroll2011Medical:
        return group(StaffGroup::Medical, true);
    case Field::Payroll2011Service:
        return group(StaffGroup::Service, true);
    case Field::Positions2011PedTotal:
        return group(StaffGroup::PedagogicalTotal, false);
    case Field::Positions2011Admin:
        return group(StaffGroup::Admin, false);
    case Field::Positions2011Medical:
        return group(StaffGroup::Medical, false);
    default:
        return group(StaffGroup::Service, false);
    }
}

FieldPlace simulationPlace(FieldRef r)
{
    for (const Question& q : kQuestions)
        if (q.field == r)
            return {11, {q.text}};
    if (r == fields::monthsPerYear())
        return {11, {kRegimeQuestion, "месяцев в году"}};
    if (r == fields::daysPerWeek())
        return {11, {kRegimeQuestion, "дней в неделю"}};
    return {11, {kGroupSizeRows[r.index(0)], text(member<AgeBand>(r, 1))}};
}

} // namespace

FieldPlace fieldPlace(FieldRef r)
{
    switch (r.family()) {
    case Field::DirectStayHours:
    case Field::OtherStayHours:
        return {workingTimeStep(member<GroupKind>(r, 0), r.family() == Field::DirectStayHours), {kStayHours}};
    case Field::DirectHours:
    case Field::OtherHours:
        return {workingTimeStep(member<GroupKind>(r, 0), r.family() == Field::DirectHours),
            {texts(member<StaffRole>(r, 1)).screen}};
    case Field::Payroll2011PedTotal:
    case Field::Payroll2011:
    case Field::Payroll2011Admin:
    case Field::Payroll2011Medical:
    case Field::Payroll2011Service:
    case Field::Positions2011PedTotal:
    case Field::Positions2011:
    case Field::Positions2011Admin:
    case Field::Positions2011Medical:
    case Field::Positions2011Service:
        return staffPlace(r);
    case Field::AssignedServices:
        return {9, {kBoxAges[r.index(1)], kAssignmentHeads[r.index(0)]}};
    case Field::ProvidedServices: {
        const std::string_view column = info(member<StayMode>(r, 2)).columnHead;
        if (member<GroupOrientation>(r, 1) == GroupOrientation::Compensating)
            return {10, {kBoxAges[r.index(0)], kCompensatingRow, column}};
        return {10, {kBoxAges[r.index(0)], column}};
    }
    case Field::IncentiveShareNonPed:
    case Field::SpecialPartSharePed:
    case Field::CompensationSharePed:
    case Field::AwardsSharePed:
    case Field::DeputySalaryCoefficient:
    case Field::AdminPayrollTeachingShare:
    case Field::ServicePayrollTeachingShare:
    case Field::MaterialCostsPercentOfPedPayroll:
    case Field::MaterialCostsTeachingShare:
    case Field::PedSalaryGrowthPercent2012:
    case Field::MonthsPerYear:
    case Field::DaysPerWeek:
    case Field::GroupSize:
        return simulationPlace(r);
    case Field::ServicePositions:
        return {12, {texts(member<ServicePosition>(r, 0)).screen}};
    case Field::ServiceSalary:
        return {12, {texts(member<ServicePosition>(r, 0)).screen, kSalaryHead}};
    case Field::RegionalNormative:
        break;
    }
    return {};
}

std::string_view fieldCaptionPart(FieldRef r, std::size_t part) { return fieldPlace(r).parts.at(part); }

std::string fieldCaption(FieldRef r)
{
    std::string caption;
    for (const std::string_view part : fieldPlace(r).parts) {
        if (!caption.empty())
            caption.append(caption.back() == ':' ? " " : ", ");
        caption.append(part);
    }
    return caption;
}

std::string stepName(int step) { return "Шаг " + std::to_string(step); }

std::string stepsName(std::span<const int> steps)
{
    if (steps.size() == 1)
        return stepName(steps.front());
    std::string name = "Шаги";
    for (std::size_t i = 0; i < steps.size(); ++i)
        name += (i == 0 ? " " : ", ") + std::to_string(steps[i]);
    return name;
}

std::string fieldName(FieldRef r) { return stepName(fieldPlace(r).step) + ": " + fieldCaption(r); }

} // namespace kvarton
