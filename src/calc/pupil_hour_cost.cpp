#include "pupil_hour_cost.h"

#include "families.h"
#include "norms.h"
#include "pay_and_positions.h"

#include <array>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Q = Quantity;

// --- Formulas ---------------------------------------------------------------------------------

// Annual hours from hours per working day, by the institution's working regime.
template <typename S, typename N>
N perYear(S& s, const N& dailyHours)
{
    return dailyHours * s.input(fields::monthsPerYear()) * s.constant(constant(Constant::WeeksPerYear))
        * s.input(fields::daysPerWeek()) / s.constant(constant(Constant::MonthsPerYear));
}

// A: the hours of stay of the cell's pupils in a year.
template <typename S>
NumberOf<S> annualPupilHours(S& s, StayRegime r, O o)
{
    NumberOf<S> hours{};
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode m : allOf<StayMode>())
            if (belongsTo(m, r))
                accumulate(hours, s.number(info(m).hours) * s.input(fields::providedServices(a, o, m)));
    return perYear(s, hours);
}

template <typename S>
NumberOf<S> pupilCount(S& s, StayRegime r, O o)
{
    NumberOf<S> pupils{};
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode m : allOf<StayMode>())
            if (belongsTo(m, r))
                accumulate(pupils, s.input(fields::providedServices(a, o, m)));
    return pupils;
}

// C, second method: the direct work of roles 1–11 in an hour of a group's operation.
template <typename S>
NumberOf<S> directHoursPerGroupHour(S& s, GroupKind k)
{
    NumberOf<S> direct{};
    for (StaffRole r : pedagogicalRoles())
        accumulate(direct, s.input(fields::directHours(k, r)));
    const auto perHour = direct / s.input(fields::directStayHours(k));
    return k == GroupKind::Compensating ? s.single(perHour) : perHour;
}

// D, second method: the hours of stay weighted by the direct work per group-hour. A mode without
// pupils adds nothing, also where the weight cannot be computed.
template <typename S>
NumberOf<S> staffHoursNeed(S& s, StayRegime r, O o)
{
    const auto perHour = s.quantity(quantity(Q::DirectHoursPerGroupHour, kindOf(r, o)));
    NumberOf<S> hours{};
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode m : allOf<StayMode>())
            if (belongsTo(m, r)) {
                const auto pupils = s.input(fields::providedServices(a, o, m));
                if (!isZero(pupils))
                    accumulate(hours, pupils * perHour * s.number(info(m).hours));
                else
                    leaveOut(hours, pupils);
            }
    return perYear(s, hours);
}

// E.
template <typename S>
NumberOf<S> hoursPerPupil(S& s, StayRegime r, O o)
{
    const auto hours = hoursBasis(s, r, o);
    const auto pupils = s.quantity(quantity(Q::PupilCount, r, o));
    if (isZero(pupils))
        return s.ruled(0, "в ячейке нет воспитанников, поэтому часов на воспитанника 0", pupils);
    return hours / pupils;
}

// F: pupils per group over the cell; the general cells weight compensating pupils with the general
// group sizes.
template <typename S>
NumberOf<S> averageGroupSize(S& s, StayRegime r, O o)
{
    NumberOf<S> weighted{};
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode m : allOf<StayMode>())
            if (belongsTo(m, r))
                accumulate(
                    weighted, s.input(fields::groupSize(o, bandOf(a))) * s.input(fields::providedServices(a, o, m)));
    const auto pupils = s.quantity(quantity(Q::PupilCount, r, o));
    if (isZero(pupils))
        return s.ruled(valueOf(s.constant(constant(Constant::EmptyCellGroupSize))),
            "в ячейке нет воспитанников: наполняемость такой группы принимается равной 20 детям", pupils);
    const auto size = weighted / pupils;
    return r == StayRegime::ShortTerm && o == O::Compensating ? s.single(size) : size;
}

// G.
template <typename S>
NumberOf<S> cellPupilHourCost(S& s, StayRegime r, O o)
{
    const GroupKind k = kindOf(r, o);
    const auto size = s.quantity(quantity(Q::AverageGroupSize, r, o));
    NumberOf<S> cost{};
    for (StaffRole role : pedagogicalRoles())
        accumulate(cost,
            s.quantity(quantity(Q::PayPerPosition, role)) * s.quantity(quantity(Q::PositionsPerGroupHour, k, role))
                / size / s.constant(constant(Constant::WeeksPerYear)));
    return cost;
}

// A cell without hours pays nothing, even where its cost cannot be computed.
template <typename S>
NumberOf<S> cellPayFund(S& s, StayRegime r, O o)
{
    const auto cost = s.quantity(quantity(Q::CellPupilHourCost, r, o));
    const auto hours = hoursBasis(s, r, o);
    if (isZero(hours))
        return s.ruled(0, "в ячейке нет ученико-часов, поэтому фонд 0", hours);
    return cost * hours;
}

// H: pay funds over hours of one regime; a regime without hours costs 0.
template <typename S>
NumberOf<S> pupilHourCost(S& s, StayRegime r)
{
    const auto total = hoursBasis(s, r, O::GeneralDevelopment) + hoursBasis(s, r, O::Compensating);
    const auto funds = s.quantity(quantity(Q::CellPayFund, r, O::GeneralDevelopment))
        + s.quantity(quantity(Q::CellPayFund, r, O::Compensating));
    if (isZero(total))
        return s.ruled(0, "в группах этого режима нет ученико-часов, поэтому стоимость 0", total);
    return funds / total;
}

template <typename S>
std::optional<NumberOf<S>> evaluateFamily(S& s, QuantityRef q)
{
    const auto r = q.index<StayRegime>(0);
    const auto o = q.index<O>(1);
    switch (q.kind) {
    case Q::AnnualPupilHours:
        return annualPupilHours(s, r, o);
    case Q::PupilCount:
        return pupilCount(s, r, o);
    case Q::DirectHoursPerGroupHour:
        return directHoursPerGroupHour(s, q.index<GroupKind>(0));
    case Q::StaffHoursNeed:
        return staffHoursNeed(s, r, o);
    case Q::HoursPerPupil:
        return hoursPerPupil(s, r, o);
    case Q::PayPerPosition:
        return payPerPosition(s, q.index<StaffRole>(0));
    case Q::PositionsPerGroupHour:
        return positionsPerGroupHour(s, q.index<GroupKind>(0), q.index<StaffRole>(1));
    case Q::AverageGroupSize:
        return averageGroupSize(s, r, o);
    case Q::CellPupilHourCost:
        return cellPupilHourCost(s, r, o);
    case Q::CellPayFund:
        return cellPayFund(s, r, o);
    case Q::PupilHourCost:
        return pupilHourCost(s, r);
    default:
        return std::nullopt;
    }
}

// --- Words ------------------------------------------------------------------------------------

constexpr QuantityWords kWords[] = {
    {Q::AnnualPupilHours, Axes::Cell, "Ученико-часы за год", "часов",
        "Сколько часов за год проводят в группах все воспитанники ячейки вместе: каждый ребенок — столько "
        "часов, сколько длится его режим пребывания, столько дней, сколько работает учреждение.",
        "ученико-часы = (сумма по режимам пребывания: часов в день × детей) × месяцев работы в году × 52 недели × "
        "дней работы в неделю : 12 месяцев."},
    {Q::PupilCount, Axes::Cell, "Число воспитанников", "детей",
        "Сколько детей получают услуги в группах ячейки: сумма по возрастным группам и режимам пребывания шага "
        "10.",
        "число воспитанников = сумма детей по всем режимам пребывания ячейки."},
    {Q::DirectHoursPerGroupHour, Axes::Kind, "Часы непосредственной работы на час работы группы", "часов",
        "Метод 2: сколько часов непосредственной работы с детьми всех педагогических должностей вместе "
        "приходится на один час работы группы.",
        "часы непосредственной работы на час работы группы = сумма часов непосредственной работы должностей "
        "в день : режим пребывания, часов в день."},
    {Q::StaffHoursNeed, Axes::Cell, "Ученико-часы непосредственной работы за год", "часов",
        "Метод 2: ученико-час — это час непосредственной работы педагога, полученный воспитанником. Часы "
        "пребывания детей ячейки за год взвешены часами непосредственной работы на час работы группы.",
        "ученико-часы = (сумма по режимам пребывания: детей × часы непосредственной работы на час работы "
        "группы × часов в день) × месяцев работы в году × 52 недели × дней работы в неделю : 12 месяцев."},
    {Q::HoursPerPupil, Axes::Cell, "Потребность в часах на воспитанника", "часов на воспитанника",
        "Сколько ученико-часов в год приходится на одного воспитанника ячейки.",
        "часы на воспитанника = ученико-часы за год : число воспитанников; 0, если детей нет."},
    {Q::PayPerPosition, Axes::Role, "Оплата одной ставки в 2012 году без специальной части", "рублей в год",
        "Средняя оплата ставки должности за 2011 год, увеличенная на плановый рост зарплаты 2012 года, без "
        "специальной части фонда оплаты труда.",
        "оплата ставки = (фонд оплаты труда 2011 года : ставок 2011 года) × (1 + рост зарплаты, % : 100) × "
        "(1 − доля специальной части, % : 100); 0, если ставок не было."},
    {Q::PositionsPerGroupHour, Axes::KindRole, "Ставки на час работы группы в неделю", "ставки",
        "Какая часть ставки должности нужна на один час работы группы в неделю: время работы должности с "
        "группой (шаги 1–6), отнесенное к недельной норме часов ставки. По методу 2 — на час непосредственной "
        "работы, полученный воспитанниками.",
        "ставки = (часов непосредственной работы в день : режим пребывания + часов иной работы в день : режим "
        "пребывания) : недельная норма часов ставки; по методу 2 еще : часы непосредственной работы на час "
        "работы группы."},
    {Q::AverageGroupSize, Axes::Cell, "Средняя наполняемость групп", "детей",
        "Сколько детей в среднем в одной группе ячейки: наполняемость групп шага 11 (для детей до 3-х лет и "
        "старше 3-х лет), взвешенная числом детей.",
        "наполняемость = (сумма: наполняемость группы × детей) : число воспитанников; 20, если детей нет."},
    {Q::CellPupilHourCost, Axes::Cell, "Стоимость ученико-часа ячейки", "рублей",
        "Сколько стоит один час пребывания одного воспитанника в группах ячейки: оплата ставок всех "
        "педагогических должностей, нужных на час работы группы в неделю, на одного ребенка группы и на одну "
        "неделю года.",
        "стоимость = сумма по должностям: оплата одной ставки × ставки на час работы группы : наполняемость : 52 "
        "недели."},
    {Q::CellPayFund, Axes::Cell, "Фонд оплаты по ученико-часам", "рублей",
        "Сколько стоят все ученико-часы ячейки за год.",
        "фонд = стоимость ученико-часа ячейки × ученико-часы за год; 0, если часов нет."},
    {Q::PupilHourCost, Axes::Regime, "Стоимость ученико-часа", "рублей на воспитанника",
        "Средняя стоимость ученико-часа в группах режима: фонды оплаты по ученико-часам, поделенные на "
        "ученико-часы. Дети коррекционных групп учтены и среди всех детей, и отдельно, поэтому их часы весят "
        "вдвое.",
        "стоимость = (фонд всех детей + фонд коррекционных групп) : (ученико-часы всех детей + ученико-часы "
        "коррекционных групп); 0, если часов нет."},
};

// Step 13's lines: the two costs, then hours per pupil and the hours basis of each cell.
struct CellLine {
    StayRegime regime;
    O orientation;
};
constexpr std::array<CellLine, 4> kCells{{
    {StayRegime::Day, O::GeneralDevelopment},
    {StayRegime::Day, O::Compensating},
    {StayRegime::ShortTerm, O::GeneralDevelopment},
    {StayRegime::ShortTerm, O::Compensating},
}};

} // namespace

// --- The calculation --------------------------------------------------------------------------

void countPupilHours(Reading& s, PupilHourResults& out) noexcept
{
    for (StayRegime r : allOf<StayRegime>())
        for (O o : allOf<O>()) {
            out.annualPupilHours[r][o] = annualPupilHours(s, r, o);
            out.pupilCount[r][o] = pupilCount(s, r, o);
        }
}

bool calculatePupilHourCost(const InstitutionModel& in, Method method, CalcResults& results) noexcept
{
    PupilHourResults& out = results.pupilHours;
    Reading s(in, results, {.step = 13, .method = method});
    countPupilHours(s, out);
    if (method == Method::ByAllNeeds)
        for (GroupKind k : allOf<GroupKind>())
            out.directHoursPerGroupHour[k] = directHoursPerGroupHour(s, k);
    computePayAndPositions(s, out);
    if (method == Method::ByAllNeeds)
        for (StayRegime r : allOf<StayRegime>())
            for (O o : allOf<O>())
                out.staffHoursNeed[r][o] = staffHoursNeed(s, r, o);
    for (StayRegime r : allOf<StayRegime>())
        for (O o : allOf<O>()) {
            out.hoursPerPupil[r][o] = hoursPerPupil(s, r, o);
            out.averageGroupSize[r][o] = averageGroupSize(s, r, o);
            out.pupilHourCost[r][o] = cellPupilHourCost(s, r, o);
            out.payFundByPupilHours[r][o] = cellPayFund(s, r, o);
        }
    out.pupilHourCostDay = pupilHourCost(s, StayRegime::Day);
    out.pupilHourCostShortTerm = pupilHourCost(s, StayRegime::ShortTerm);
    return s.allNumbers();
}

StepView showPupilHourCost(const InstitutionModel& in, const CalcResults& results, Method method)
{
    Reading s(in, results, {.step = 13, .method = method});
    StepView view;
    view.labels.reserve(valueLabelCount(ResultsPanel::PupilHourCost));
    for (std::size_t l = 0; l < panel(ResultsPanel::PupilHourCost).lines.size(); ++l) {
        const PanelLine& shown = panel(ResultsPanel::PupilHourCost).lines[l];
        put(view, value(shown), s.quantity(families::pupilHourFigure(l, 0, s.options())));
    }
    return view;
}

namespace families {

std::optional<double> evaluatePupilHours(Reading& s, QuantityRef q) { return evaluateFamily(s, q); }
std::optional<Term> evaluatePupilHours(Explaining& s, QuantityRef q) { return evaluateFamily(s, q); }

std::optional<double> storedPupilHours(const CalcResults& results, QuantityRef q) noexcept
{
    const PupilHourResults& p = results.pupilHours;
    const auto r = q.index<StayRegime>(0);
    const auto o = q.index<O>(1);
    switch (q.kind) {
    case Q::AnnualPupilHours:
        return p.annualPupilHours[r][o];
    case Q::PupilCount:
        return p.pupilCount[r][o];
    case Q::DirectHoursPerGroupHour:
        return p.directHoursPerGroupHour[q.index<GroupKind>(0)];
    case Q::StaffHoursNeed:
        return p.staffHoursNeed[r][o];
    case Q::HoursPerPupil:
        return p.hoursPerPupil[r][o];
    case Q::PayPerPosition:
        return p.generalPayPerPosition[q.index<StaffRole>(0)];
    case Q::PositionsPerGroupHour:
        return p.positionsPerGroupHour[q.index<GroupKind>(0)][q.index<StaffRole>(1)];
    case Q::AverageGroupSize:
        return p.averageGroupSize[r][o];
    case Q::CellPupilHourCost:
        return p.pupilHourCost[r][o];
    case Q::CellPayFund:
        return p.payFundByPupilHours[r][o];
    case Q::PupilHourCost:
        return r == StayRegime::Day ? p.pupilHourCostDay : p.pupilHourCostShortTerm;
    default:
        return std::nullopt;
    }
}

std::span<const QuantityWords> wordsPupilHours() noexcept { return kWords; }

QuantityRef pupilHourFigure(std::size_t line, std::size_t, const StepOptions& options) noexcept
{
    const auto l = static_cast<PupilHourLine>(line);
    if (l == PupilHourLine::CostDay)
        return quantity(Q::PupilHourCost, StayRegime::Day);
    if (l == PupilHourLine::CostShortTerm)
        return quantity(Q::PupilHourCost, StayRegime::ShortTerm);
    const bool perPupil = l <= PupilHourLine::HoursPerPupilShortTermCompensating;
    const std::size_t first
        = static_cast<std::size_t>(perPupil ? PupilHourLine::HoursPerPupilDay : PupilHourLine::HoursDay);
    const CellLine& cell = kCells[line - first];
    const Quantity hours = options.method == Method::ByRecommendations ? Q::AnnualPupilHours : Q::StaffHoursNeed;
    return quantity(perPupil ? Q::HoursPerPupil : hours, cell.regime, cell.orientation);
}

} // namespace families

} // namespace kvarton::calc
