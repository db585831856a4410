#include "incentives.h"

#include "families.h"
#include "norms.h"
#include "pupil_hour_cost.h"

#include <array>
#include <limits>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Q = Quantity;
constexpr GroupKind C = GroupKind::Compensating;
constexpr double kDash = std::numeric_limits<double>::quiet_NaN(); // a coefficient shown "-"

// The group kind of a regime's general-development groups.
constexpr GroupKind generalKindOf(StayRegime s) noexcept { return kindOf(s, O::GeneralDevelopment); }

// --- Formulas ---------------------------------------------------------------------------------

// The pupil-hour pay is the pedagogical payroll without its special part: the day view takes every
// group, the short-term view its own groups.
template <typename S>
NumberOf<S> salaryFund(S& s, StayRegime view)
{
    const auto fund = [&](StayRegime r, O o) { return s.quantity(quantity(Q::CellPayFund, r, o)); };
    if (view == StayRegime::ShortTerm)
        return fund(StayRegime::ShortTerm, O::GeneralDevelopment) + fund(StayRegime::ShortTerm, O::Compensating);
    return fund(StayRegime::Day, O::GeneralDevelopment) + fund(StayRegime::Day, O::Compensating)
        + fund(StayRegime::ShortTerm, O::GeneralDevelopment) + fund(StayRegime::ShortTerm, O::Compensating);
}

// The whole pedagogical payroll, of which the salary fund is the part outside the special part.
template <typename S>
NumberOf<S> pedagogicalPayroll(S& s, StayRegime view)
{
    return s.quantity(quantity(Q::SalaryFund, view)) / (1 - s.input(fields::specialPartSharePed()) / 100);
}

template <typename S>
NumberOf<S> keptShare(S& s)
{
    const auto incentive = s.input(fields::specialPartSharePed()) - s.input(fields::compensationSharePed())
        - s.input(fields::awardsSharePed());
    return 1 - incentive / 100;
}

template <typename S>
NumberOf<S> timeRatio(S& s, GroupKind k, StaffRole r)
{
    const auto direct = s.input(fields::directHours(k, r));
    const auto other = s.input(fields::otherHours(k, r));
    if (isZero(direct))
        return s.ruled(
            1, "у должности нет непосредственной работы в этих группах: отношение принимается равным 1", direct);
    return (direct + other) / direct;
}

// A coefficient for compensating groups is "-" where the regime has no compensating hours or cost,
// or where a value it needs cannot be computed. The short-term regime tests the product of the
// teacher's positions and the cost, the day regime each of them.
template <typename S>
NumberOf<S> compensatingCoefficient(S& s, StayRegime r, bool teachers)
{
    const GroupKind g = generalKindOf(r);
    const auto costC = s.quantity(quantity(Q::CellPupilHourCost, r, O::Compensating));
    const auto hoursC = hoursBasis(s, r, O::Compensating);
    const auto sizeG = s.quantity(quantity(Q::AverageGroupSize, r, O::GeneralDevelopment));
    const auto sizeC = s.quantity(quantity(Q::AverageGroupSize, r, O::Compensating));
    const auto teacherG = s.quantity(quantity(Q::PositionsPerGroupHour, g, StaffRole::Teacher));
    const auto teacherC = s.quantity(quantity(Q::PositionsPerGroupHour, C, StaffRole::Teacher));
    const std::array<const NumberOf<S>*, 6> operands{&costC, &hoursC, &sizeG, &sizeC, &teacherG, &teacherC};
    for (std::size_t i = 0; i < (teachers ? operands.size() : 4); ++i)
        if (const auto* operand = operands[i]; !isFinite(*operand))
            return s.ruled(kDash, "коэффициента нет: не вычисляется число, от которого он зависит", *operand);
    if (isZero(hoursC))
        return s.ruled(kDash, "коэффициента нет: в коррекционных группах режима нет ученико-часов", hoursC);
    if (!teachers || r == StayRegime::Day) {
        if (isZero(costC))
            return s.ruled(kDash, "коэффициента нет: стоимость ученико-часа коррекционных групп равна 0", costC);
    }
    if (!teachers)
        return sizeG / sizeC;
    if (r == StayRegime::Day) {
        if (isZero(teacherG))
            return s.ruled(
                kDash, "коэффициента нет: у воспитателя нет ставок на час работы общеразвивающей группы", teacherG);
    } else if (const auto product = teacherG * costC; isZero(product)) {
        return s.ruled(kDash,
            "коэффициента нет: ставки воспитателя на час работы общеразвивающей группы, умноженные на стоимость "
            "ученико-часа коррекционных групп, дают 0",
            product);
    }
    return sizeG * (teacherC / teacherG) / sizeC;
}

template <typename S>
NumberOf<S> annualHoursNorm(S& s, StaffRole r, GroupKind k)
{
    return s.constant(constant(Constant::AnnualHoursNorm, r, k));
}

// The compensating coefficient divides by the share kept twice, the general one once.
template <typename S>
NumberOf<S> roleCoefGeneral(S& s, StayRegime r, StaffRole role)
{
    const GroupKind g = generalKindOf(r);
    return s.quantity(quantity(Q::PayPerPosition, role)) * s.quantity(quantity(Q::TimeRatio, g, role))
        / s.quantity(quantity(Q::AverageGroupSize, r, O::GeneralDevelopment)) / annualHoursNorm(s, role, g)
        / s.quantity(quantity(Q::KeptShare)) / s.quantity(quantity(Q::CellPupilHourCost, r, O::GeneralDevelopment));
}

template <typename S>
NumberOf<S> roleCoefCompensating(S& s, StayRegime r, StaffRole role)
{
    const auto kept = s.quantity(quantity(Q::KeptShare));
    return s.quantity(quantity(Q::PayPerPosition, role)) * s.quantity(quantity(Q::TimeRatio, C, role))
        / s.quantity(quantity(Q::AverageGroupSize, r, O::Compensating)) / annualHoursNorm(s, role, C) / kept / kept
        / s.quantity(quantity(Q::CellPupilHourCost, r, O::Compensating));
}

// A cell without hours contributes nothing, so that a cost that cannot be computed in a cell
// without pupils leaves the coefficient of the other cell intact.
template <typename S>
NumberOf<S> roleCoef(S& s, StayRegime r, StaffRole role)
{
    const auto hoursG = hoursBasis(s, r, O::GeneralDevelopment);
    const auto hoursC = hoursBasis(s, r, O::Compensating);
    NumberOf<S> hours{};
    accumulate(hours, hoursG);
    accumulate(hours, hoursC);
    if (isZero(hours))
        return s.ruled(1, "в группах режима нет ученико-часов: коэффициент принимается равным 1", hours);
    NumberOf<S> weighted{};
    if (!isZero(hoursG))
        accumulate(weighted, s.quantity(quantity(Q::RoleCoefGeneral, r, role)) * hoursG);
    if (!isZero(hoursC))
        accumulate(weighted, s.quantity(quantity(Q::RoleCoefCompensating, r, role)) * hoursC);
    return weighted / hours;
}

// The role's direct working time the pupil-hours call for; general pupils are those of the general
// cell less the compensating ones. A group kind where the role has no direct hours adds nothing.
template <typename S>
NumberOf<S> roleDirectTime(S& s, StayRegime r, StaffRole role)
{
    const GroupKind g = generalKindOf(r);
    const auto hoursG = hoursBasis(s, r, O::GeneralDevelopment);
    const auto hoursC = hoursBasis(s, r, O::Compensating);
    const bool byDirectWork = s.options().method == Method::ByAllNeeds;
    const auto part = [&](GroupKind k, const NumberOf<S>& hours, NumberOf<S>& time) {
        const auto direct = s.input(fields::directHours(k, role));
        const auto stay = s.input(fields::directStayHours(k));
        if (isZero(direct))
            return;
        const auto t = direct * hours / stay;
        accumulate(time, byDirectWork ? t / s.quantity(quantity(Q::DirectHoursPerGroupHour, k)) : t);
    };
    NumberOf<S> time{};
    part(g, hoursG - hoursC, time);
    part(C, hoursC, time);
    return time;
}

template <typename S>
NumberOf<S> roleRaiseAmount(S& s, StayRegime r, StaffRole role)
{
    const GroupKind g = generalKindOf(r);
    return (s.quantity(quantity(Q::RoleCoef, r, role)) - 1)
        * (s.quantity(quantity(Q::PayPerPosition, role)) * s.quantity(quantity(Q::RoleDirectTime, r, role))
            / s.quantity(quantity(Q::AverageGroupSize, r, O::GeneralDevelopment)) / annualHoursNorm(s, role, g));
}

// The amount counts only for a role with working time in the groups of the view.
template <typename S>
NumberOf<S> shownRoleAmount(S& s, StayRegime view, StaffRole role)
{
    const GroupKind g = generalKindOf(view);
    const auto general = s.input(fields::directHours(g, role)) + s.input(fields::otherHours(g, role));
    const auto compensating = s.input(fields::directHours(C, role)) + s.input(fields::otherHours(C, role));
    const auto time
        = general * hoursBasis(s, view, O::GeneralDevelopment) + compensating * hoursBasis(s, view, O::Compensating);
    if (isZero(time))
        return s.ruled(0, "у должности нет рабочего времени в группах этого режима, поэтому сумма 0", time);
    return roleRaiseAmount(s, view, role);
}

template <typename S>
std::optional<NumberOf<S>> evaluateFamily(S& s, QuantityRef q)
{
    const auto r = q.index<StayRegime>(0);
    const auto role = q.index<StaffRole>(1);
    switch (q.kind) {
    case Q::SalaryFund:
        return salaryFund(s, r);
    case Q::CompensationFund:
        return s.input(fields::compensationSharePed()) / 100 * pedagogicalPayroll(s, r);
    case Q::AwardsFund:
        return s.input(fields::awardsSharePed()) / 100 * pedagogicalPayroll(s, r);
    case Q::KeptShare:
        return keptShare(s);
    case Q::TimeRatio:
        return timeRatio(s, q.index<GroupKind>(0), role);
    case Q::CompensatingCoefTeacher:
        return compensatingCoefficient(s, r, true);
    case Q::CompensatingCoefOther:
        return compensatingCoefficient(s, r, false);
    case Q::RoleCoefGeneral:
        return roleCoefGeneral(s, r, role);
    case Q::RoleCoefCompensating:
        return roleCoefCompensating(s, r, role);
    case Q::RoleCoef:
        return roleCoef(s, r, role);
    case Q::RoleDirectTime:
        return roleDirectTime(s, r, role);
    case Q::RoleRaiseAmount:
        return roleRaiseAmount(s, r, role);
    case Q::ShownRoleAmount:
        return shownRoleAmount(s, r, role);
    default:
        return std::nullopt;
    }
}

// --- Words ------------------------------------------------------------------------------------

constexpr std::string_view kAmountWhat
    = "Сколько рублей в год дает должности часть повышающего коэффициента сверх 1; коэффициент меньше 1 дает "
      "отрицательную сумму.";

constexpr QuantityWords kWords[] = {
    {Q::SalaryFund, Axes::Regime, "Фонд окладов, рассчитанный по ученико-часам", "рублей",
        "Сколько стоят за год все ученико-часы: для обычных режимов — всех групп учреждения, с обычным и с "
        "краткосрочным режимом, для краткосрочных — только краткосрочных групп. Это фонд оплаты педагогического "
        "персонала без специальной части.",
        "фонд окладов = сумма фондов оплаты по ученико-часам ячеек."},
    {Q::CompensationFund, Axes::Regime, "Компенсационный фонд", "рублей",
        "Компенсационные выплаты как доля всего фонда оплаты педагогического персонала; весь фонд — это фонд "
        "окладов вместе со специальной частью.",
        "компенсационный фонд = доля компенсационных выплат, % : 100 × (фонд окладов : (1 − доля специальной "
        "части, % : 100))."},
    {Q::AwardsFund, Axes::Regime, "Фонд доплат", "рублей",
        "Доплаты за звания и награды как доля всего фонда оплаты педагогического персонала; весь фонд — это фонд "
        "окладов вместе со специальной частью.",
        "фонд доплат = доля доплат за звания и награды, % : 100 × (фонд окладов : (1 − доля специальной части, % : "
        "100))."},
    {Q::KeptShare, Axes::None, "Доля оплаты без стимулирующих выплат", "",
        "Какая часть фонда оплаты педагогического персонала остается без стимулирующих выплат. Стимулирующие "
        "выплаты — это специальная часть без компенсационных выплат и доплат за звания и награды.",
        "доля = 1 − (доля специальной части − доля компенсационных выплат − доля доплат, %) : 100."},
    {Q::TimeRatio, Axes::KindRole, "Отношение всего времени работы к непосредственной", "",
        "Во сколько раз все время работы должности с группой (непосредственная и иная работа, шаги 1–6) больше "
        "времени непосредственной работы с детьми.",
        "отношение = (часов непосредственной работы + часов иной работы) : часов непосредственной работы; 1, если "
        "непосредственной работы нет."},
    {Q::CompensatingCoefTeacher, Axes::Regime, "Повышающий коэффициент воспитателей коррекционных групп", "",
        "Во сколько раз час работы воспитателя на одного ребенка в коррекционной группе дороже, чем в "
        "общеразвивающей: больше ставок на час работы группы при меньшей наполняемости.",
        "коэффициент = наполняемость общеразвивающих групп × (ставки воспитателя на час работы коррекционной "
        "группы : ставки на час работы общеразвивающей группы) : наполняемость коррекционных групп; «-», если в "
        "коррекционных группах режима нет ученико-часов или их стоимость 0."},
    {Q::CompensatingCoefOther, Axes::Regime, "Повышающий коэффициент иного персонала коррекционных групп", "",
        "Во сколько раз час работы иного персонала на одного ребенка в коррекционной группе дороже, чем в "
        "общеразвивающей: за счет меньшей наполняемости.",
        "коэффициент = наполняемость общеразвивающих групп : наполняемость коррекционных групп; «-», если в "
        "коррекционных группах режима нет ученико-часов или их стоимость 0."},
    {Q::RoleCoefGeneral, Axes::RegimeRole, "Коэффициент должности в общеразвивающих группах", "",
        "Стоимость часа работы ставки должности на одного ребенка вместе со стимулирующими выплатами, отнесенная "
        "к стоимости ученико-часа общеразвивающих групп.",
        "коэффициент = оплата ставки × отношение всего времени работы к непосредственной : наполняемость : "
        "годовая норма часов ставки : доля оплаты без стимулирующих выплат : стоимость ученико-часа."},
    {Q::RoleCoefCompensating, Axes::RegimeRole, "Коэффициент должности в коррекционных группах", "",
        "То же для коррекционных групп; на долю оплаты без стимулирующих выплат здесь делится дважды.",
        "коэффициент = оплата ставки × отношение всего времени работы к непосредственной : наполняемость "
        "коррекционных групп : годовая норма часов ставки в коррекционных группах : доля оплаты без "
        "стимулирующих выплат : доля оплаты без стимулирующих выплат : стоимость ученико-часа коррекционных "
        "групп."},
    {Q::RoleCoef, Axes::RegimeRole, "Повышающий коэффициент должности", "",
        "Коэффициенты должности в общеразвивающих и в коррекционных группах режима, взвешенные ученико-часами "
        "этих групп.",
        "коэффициент = (коэффициент в общеразвивающих группах × их ученико-часы + коэффициент в коррекционных "
        "группах × их ученико-часы) : (ученико-часы вместе); 1, если часов нет."},
    {Q::RoleDirectTime, Axes::RegimeRole, "Время непосредственной работы должности по ученико-часам", "часов",
        "Сколько часов непосредственной работы должности требуют ученико-часы режима: в общеразвивающих группах "
        "(без детей коррекционных групп) и в коррекционных группах.",
        "время = часов непосредственной работы в общеразвивающей группе × (ученико-часы всех детей − ученико-часы "
        "коррекционных групп) : режим пребывания + часов в коррекционной группе × ученико-часы коррекционных групп "
        ": режим пребывания; по методу 2 каждая часть еще : часы непосредственной работы на час работы группы."},
    {Q::RoleRaiseAmount, Axes::RegimeRole, "Сумма повышения", "рублей", kAmountWhat,
        "сумма = (коэффициент − 1) × (оплата ставки × время непосредственной работы : наполняемость "
        "общеразвивающих групп : годовая норма часов ставки)."},
    {Q::ShownRoleAmount, Axes::RegimeRole, "Сумма повышения", "рублей", kAmountWhat,
        "сумма = (коэффициент − 1) × (оплата ставки × время непосредственной работы : наполняемость "
        "общеразвивающих групп : годовая норма часов ставки); 0, если у должности нет рабочего времени в группах "
        "режима."},
};

} // namespace

// --- The calculation --------------------------------------------------------------------------

bool computeIncentives(const InstitutionModel& in, Method method, CalcResults& results) noexcept
{
    if (!calculatePupilHourCost(in, method, results))
        return false;
    IncentiveResults& out = results.incentives;
    Reading s(in, results, {.step = 14, .method = method});
    for (StayRegime view : {StayRegime::Day, StayRegime::ShortTerm}) {
        const double fund = salaryFund(s, view);
        (view == StayRegime::Day ? out.pupilHourSalaryFund : out.pupilHourSalaryFundShortTerm) = fund;
    }
    out.compensationFund = *evaluateFamily(s, quantity(Q::CompensationFund, StayRegime::Day));
    out.awardsFund = *evaluateFamily(s, quantity(Q::AwardsFund, StayRegime::Day));
    out.compensationFundShortTerm = *evaluateFamily(s, quantity(Q::CompensationFund, StayRegime::ShortTerm));
    out.awardsFundShortTerm = *evaluateFamily(s, quantity(Q::AwardsFund, StayRegime::ShortTerm));
    out.keptShare = keptShare(s);
    for (GroupKind k : allOf<GroupKind>())
        for (StaffRole r : pedagogicalRoles())
            out.timeRatio[k][r] = timeRatio(s, k, r);
    const auto given = [](double v) { return std::isfinite(v) ? std::optional(v) : std::nullopt; };
    for (StayRegime r : allOf<StayRegime>()) {
        out.compensatingCoefTeacher[r] = given(compensatingCoefficient(s, r, true));
        out.compensatingCoefOther[r] = given(compensatingCoefficient(s, r, false));
    }
    for (StaffRole role : pedagogicalRoles())
        for (StayRegime r : {StayRegime::Day, StayRegime::ShortTerm}) {
            out.roleCoefGeneral[r][role] = roleCoefGeneral(s, r, role);
            out.roleCoefCompensating[r][role] = roleCoefCompensating(s, r, role);
            out.roleCoef[r][role] = roleCoef(s, r, role);
            out.roleDirectTime[r][role] = roleDirectTime(s, r, role);
            out.roleRaiseAmount[r][role] = roleRaiseAmount(s, r, role);
        }
    return s.allNumbers();
}

StepView showIncentiveView(const InstitutionModel& model, const CalcResults& results, StayRegime view, Method hoursOf)
{
    Reading s(model, results, {.step = 14, .method = hoursOf, .view = view});
    const Panel& shown = panel(ResultsPanel::Incentives);
    const auto figure = [&](IncentiveLine l, std::size_t column, std::size_t role = 0) {
        const std::size_t line = static_cast<std::size_t>(l) + role;
        return std::pair{
            &shown.lines[line].values[column], s.quantity(families::incentiveFigure(line, column, s.options()))};
    };
    StepView v;
    v.labels.reserve(valueLabelCount(ResultsPanel::Incentives));
    for (IncentiveLine l : {IncentiveLine::CompensatingTeachers, IncentiveLine::CompensatingOther,
             IncentiveLine::SalaryFund, IncentiveLine::CompensationFund, IncentiveLine::AwardsFund}) {
        const auto [label, number] = figure(l, 0);
        put(v, *label, number);
    }
    for (StaffRole role : pedagogicalRoles())
        for (RoleColumn column : {RoleColumn::Coefficient, RoleColumn::Amount}) {
            const auto [label, number] = figure(IncentiveLine::Teacher, static_cast<std::size_t>(column), ix(role));
            put(v, *label, number);
        }
    if (!s.allNumbers())
        return errorPanel();
    return v;
}

namespace families {

std::optional<double> evaluateIncentives(Reading& s, QuantityRef q) { return evaluateFamily(s, q); }
std::optional<Term> evaluateIncentives(Explaining& s, QuantityRef q) { return evaluateFamily(s, q); }

std::optional<double> storedIncentives(const CalcResults& results, QuantityRef q) noexcept
{
    const IncentiveResults& i = results.incentives;
    const auto r = q.index<StayRegime>(0);
    const auto role = q.index<StaffRole>(1);
    const bool day = r == StayRegime::Day;
    switch (q.kind) {
    case Q::SalaryFund:
        return day ? i.pupilHourSalaryFund : i.pupilHourSalaryFundShortTerm;
    case Q::CompensationFund:
        return day ? i.compensationFund : i.compensationFundShortTerm;
    case Q::AwardsFund:
        return day ? i.awardsFund : i.awardsFundShortTerm;
    case Q::KeptShare:
        return i.keptShare;
    case Q::TimeRatio:
        return i.timeRatio[q.index<GroupKind>(0)][role];
    case Q::CompensatingCoefTeacher:
        return i.compensatingCoefTeacher[r].value_or(kDash);
    case Q::CompensatingCoefOther:
        return i.compensatingCoefOther[r].value_or(kDash);
    case Q::RoleCoefGeneral:
        return i.roleCoefGeneral[r][role];
    case Q::RoleCoefCompensating:
        return i.roleCoefCompensating[r][role];
    case Q::RoleCoef:
        return i.roleCoef[r][role];
    case Q::RoleDirectTime:
        return i.roleDirectTime[r][role];
    case Q::RoleRaiseAmount:
        return i.roleRaiseAmount[r][role];
    default:
        return std::nullopt;
    }
}

std::span<const QuantityWords> wordsIncentives() noexcept { return kWords; }

QuantityRef incentiveFigure(std::size_t line, std::size_t column, const StepOptions& options) noexcept
{
    const StayRegime view = options.view;
    switch (static_cast<IncentiveLine>(line)) {
    case IncentiveLine::SalaryFund:
        return quantity(Q::SalaryFund, view);
    case IncentiveLine::CompensationFund:
        return quantity(Q::CompensationFund, view);
    case IncentiveLine::AwardsFund:
        return quantity(Q::AwardsFund, view);
    case IncentiveLine::CompensatingTeachers:
        return quantity(Q::CompensatingCoefTeacher, view);
    case IncentiveLine::CompensatingOther:
        return quantity(Q::CompensatingCoefOther, view);
    case IncentiveLine::Teacher:
        break;
    }
    const auto role = static_cast<StaffRole>(line - static_cast<std::size_t>(IncentiveLine::Teacher));
    return quantity(
        static_cast<RoleColumn>(column) == RoleColumn::Coefficient ? Q::RoleCoef : Q::ShownRoleAmount, view, role);
}

} // namespace families

} // namespace kvarton::calc
