#include "panels.h"

namespace kvarton::calc {

namespace {

constexpr Pattern Whole = Pattern::Whole;
constexpr Pattern OneDecimal = Pattern::OneDecimal;
constexpr Pattern TwoDecimals = Pattern::TwoDecimals;

constexpr ValueLabel whole(std::string_view name) { return ValueLabel{name, Whole, {}}; }

constexpr PanelLine plain(PanelText caption, ValueLabel first, ValueLabel second = {}, ValueLabel third = {})
{
    return PanelLine{{}, caption, {first, second, third}, false};
}

// Step 13. Two captions spell "группах" with a Latin "c" after it, and four units end with a
// blank, as the screen always has.
constexpr PanelLine kPupilHourLines[] = {
    plain({"Label10", "Стоимость ученико - часа в группах с обычным режимом пребывания"},
        {"Label1001", OneDecimal, {"Label12", "рублей на воспитанника "}}),
    plain({"Label11", "Стоимость ученико - часа в группах с краткосрочным режимом пребывания"},
        {"Label1010", OneDecimal, {"Label8", "рублей на воспитанника "}}),
    plain({"Label38", "Потребность в часах в группах c обычным режимом пребывания"},
        {"Label1002", Whole, {"Label9", "часов на воспитанника"}}),
    plain({"Label14", "В том числе в коррекционных группах"},
        {"Label1003", Whole, {"Label15", "часов на воспитанника "}}),
    plain({"Label20", "Потребность в часах в группах c краткосрочным режимом пребывания"},
        {"Label1004", Whole, {"Label19", "часов на воспитанника"}}),
    plain({"Label17", "В том числе в коррекционных группах"},
        {"Label1005", Whole, {"Label16", "часов на воспитанника "}}),
    plain({"Label23", "Общая потребность в часах в группах с обычным режимом"},
        {"Label1006", Whole, {"Label22", "часов"}}),
    plain({"Label25", "В том числе в коррекционных группах"}, {"Label1007", Whole, {"Label26", "часов"}}),
    plain({"Label28", "Общая потребность в часах в краткосрочных группах"}, {"Label1008", Whole, {"Label30", "часов"}}),
    plain({"Label31", "В том числе в коррекционных группах"}, {"Label1009", Whole, {"Label33", "часов"}}),
};

// Step 14. A role's amount stands in brackets: its unit label is the bracket, "(" before the
// amount and the unit with ")" after it.
constexpr PanelText kCompensatingHeading{"Label64", "Повышающие коэффициенты за работу в коррекционных группах:"};
constexpr PanelText kRolesHeading{
    "Label122", "Повышающие коэффициенты на категорию персонала в группах с обычным режимом:"};

constexpr PanelLine compensating(PanelText caption, std::string_view coefficient)
{
    return PanelLine{kCompensatingHeading, caption, {ValueLabel{coefficient, TwoDecimals, {}}, {}, {}}, false};
}

constexpr PanelLine role(
    PanelText caption, std::string_view coefficient, std::string_view bracket, std::string_view amount)
{
    return PanelLine{kRolesHeading, caption,
        {ValueLabel{coefficient, TwoDecimals, {}}, ValueLabel{amount, Whole, {bracket, "рублей"}}, {}}, false};
}

constexpr PanelLine kIncentiveLines[] = {
    plain({"Label136", "Фонд окладов, рассчитанный по ученико-часам"}, {"Label2001", Whole, {"Label137", "рублей"}}),
    plain({"Label13", "Компенсационный фонд"}, {"Label2003", Whole, {"Label18", "рублей"}}),
    plain({"Label21", "Фонд доплат"}, {"Label2004", Whole, {"Label24", "рублей"}}),
    compensating({"Label121", " воспитатели -"}, "Label120"),
    compensating({"Label63", "иной персонал -"}, "Label62"),
    role({"Label107", "Воспитатель -"}, "Label2022", "Label105", "Label2007"),
    role({"Label108", "Музыкальный руководитель -"}, "Label102", "Label103", "Label2008"),
    role({"Label109", "Инструктор - методист -"}, "Label101", "Label92", "Label2009"),
    role({"Label110", "Инструктор по физкультуре -"}, "Label100", "Label91", "Label2011"),
    role({"Label111", "Концертмейстер -"}, "Label99", "Label90", "Label2012"),
    role({"Label112", "Педагог доп. образования -"}, "Label98", "Label89", "Label70"),
    role({"Label113", "Педагог - организатор -"}, "Label97", "Label88", "Label69"),
    role({"Label114", "Социальный педагог -"}, "Label96", "Label87", "Label68"),
    role({"Label115", "Педагог - психолог -"}, "Label95", "Label86", "Label67"),
    role({"Label116", "Рук физ. воспитания -"}, "Label94", "Label85", "Label66"),
    role({"Label117", "Дефектолог, логопед -"}, "Label93", "Label84", "Label65"),
};

// Step 15: normative, need and remainder of every kind of expense. The caption of Label37 has two
// blanks before "и".
constexpr PanelLine row(
    PanelText caption, std::string_view normative, std::string_view need, std::string_view remainder, bool indented)
{
    return PanelLine{{}, caption, {whole(normative), whole(need), whole(remainder)}, indented};
}

constexpr PanelLine kNormativeLines[] = {
    row({"Label32", "Всего, рублей"}, "Label48", "Label78", "Label124", false),
    row({"Label37", "Обучение, воспитание  и развитие"}, "Label49", "Label77", "Label123", false),
    row({"Label39", "Педагогический персонал"}, "Label50", "Label76", "Label119", true),
    row({"Label40", "АУП"}, "Label51", "Label75", "Label118", true),
    row({"Label41", "Обслуживающий персонал"}, "Label52", "Label74", "Label106", true),
    row({"Label42", "Материально-технические затраты"}, "Label53", "Label73", "Label104", true),
    row({"Label43", "Уход и присмотр"}, "Label54", "Label72", "Label83", false),
    row({"Label44", "УВП"}, "Label55", "Label71", "Label82", true),
    row({"Label45", "АУП"}, "Label56", "Label61", "Label81", true),
    row({"Label46", "Обслуживающий персонал"}, "Label57", "Label60", "Label80", true),
    row({"Label47", "Материально-технические затраты"}, "Label58", "Label59", "Label79", true),
};

// Step 16. The eleven role lines share one caption label (Label127), one line of its text each.
// "начисслений" and "выполение" are the screen's own spellings.
constexpr PanelLine estimate(PanelText caption, std::string_view total, std::string_view special = {})
{
    return plain(caption, whole(total), whole(special));
}

// A part of the line above: a role's pay, the head's.
constexpr PanelLine part(PanelText caption, std::string_view amount, std::string_view special)
{
    PanelLine l = estimate(caption, amount, special);
    l.indented = true;
    return l;
}

constexpr PanelLine total(PanelText caption, std::string_view amount, std::string_view special = {})
{
    PanelLine l = estimate(caption, amount, special);
    l.total = true;
    return l;
}

constexpr PanelLine kEstimateLines[] = {
    estimate({"Label126", "Оплата труда педперсонала"}, "Label148", "Label166"),
    part({"Label127", "в том числе: воспитатели"}, "Label149", "Label167"),
    part({"Label127", "музыкальные руководители"}, "Label150", "Label168"),
    part({"Label127", "методисты"}, "Label151", "Label169"),
    part({"Label127", "инструктора по физкультуре"}, "Label152", "Label170"),
    part({"Label127", "концертмейстеры"}, "Label153", "Label171"),
    part({"Label127", "педагоги доп. образования"}, "Label154", "Label172"),
    part({"Label127", "педагоги - организаторы"}, "Label155", "Label173"),
    part({"Label127", "социальные педагоги"}, "Label156", "Label174"),
    part({"Label127", "педагоги - психологи"}, "Label157", "Label175"),
    part({"Label127", "руководители физ. воспитания"}, "Label158", "Label176"),
    part({"Label127", "дефектологи, логопеды"}, "Label159", "Label177"),
    estimate({"Label142", "Оплата труда АУП"}, "Label160", "Label178"),
    part({"Label143", "в том числе: заведующий"}, "Label161", "Label179"),
    estimate({"Label144", "Оплата труда обслуживающего персонала"}, "Label162", "Label180"),
    estimate({"Label145", "Оплата труда УВП"}, "Label163", "Label181"),
    total({"Label5", "Всего оплата труда, без начисслений"}, "Label600", "Label601"),
    estimate({"Label146", "Материально - технические расходы"}, "Label164"),
    total({"Label147", "Всего расходов, с учетом начислений"}, "Label165", "Label182"),
    total({"Label184", "Выделена субсидия на выполение задания"}, "Label183"),
};

static_assert(std::size(kPupilHourLines) == static_cast<std::size_t>(PupilHourLine::HoursShortTermCompensating) + 1);
static_assert(std::size(kIncentiveLines) == static_cast<std::size_t>(IncentiveLine::Teacher) + kPedagogicalRoleCount);
static_assert(std::size(kNormativeLines) == static_cast<std::size_t>(NormativeLine::MaterialCare) + 1);
static_assert(std::size(kEstimateLines) == static_cast<std::size_t>(EstimateLine::Subsidy) + 1);

constexpr EnumArray<ResultsPanel, Panel> kPanels{{{
    {"Frame2", {}, {}, kPupilHourLines},
    {"Frame3", {}, {}, kIncentiveLines},
    {"Frame5", {}, {{{"Label34", "Норматив"}, {"Label35", "Потребности"}, {"Label36", "Остаток"}}}, kNormativeLines},
    {"Frame6", {"Label125", "Направление расходов"}, {{{"Label128", "Всего"}, {"Label129", "в том числе спец. часть"}}},
        kEstimateLines},
}}};

template <typename Line>
constexpr std::size_t at(Line l) noexcept
{
    return static_cast<std::size_t>(l);
}

} // namespace

const Panel& panel(ResultsPanel p) noexcept { return kPanels[p]; }

const PanelLine& line(PupilHourLine l) noexcept { return kPupilHourLines[at(l)]; }
const PanelLine& line(IncentiveLine l) noexcept { return kIncentiveLines[at(l)]; }
const PanelLine& line(NormativeLine l) noexcept { return kNormativeLines[at(l)]; }
const PanelLine& line(EstimateLine l) noexcept { return kEstimateLines[at(l)]; }
const PanelLine& incentiveLine(StaffRole role) noexcept
{
    return kIncentiveLines[at(IncentiveLine::Teacher) + ix(role)];
}
const PanelLine& estimateLine(StaffRole role) noexcept { return kEstimateLines[at(EstimateLine::Teacher) + ix(role)]; }

std::string_view PlacedValue::columnHead() const noexcept { return kPanels[panel].columnHeads[column].text; }

std::vector<PlacedValue> valueLabels(ResultsPanel p)
{
    std::vector<PlacedValue> placed;
    for (const PanelLine& l : kPanels[p].lines)
        for (std::size_t c = 0; c < l.values.size(); ++c)
            if (!l.values[c].name.empty())
                placed.push_back({p, &l, c, &l.values[c]});
    return placed;
}

std::size_t valueLabelCount(ResultsPanel p) noexcept
{
    std::size_t count = 0;
    for (const PanelLine& l : kPanels[p].lines)
        for (const ValueLabel& v : l.values)
            count += v.name.empty() ? 0 : 1;
    return count;
}

std::optional<PlacedValue> findValueLabel(std::string_view name)
{
    for (ResultsPanel p : allOf<ResultsPanel>())
        for (const PlacedValue& v : valueLabels(p))
            if (v.value->name == name)
                return v;
    return std::nullopt;
}

} // namespace kvarton::calc
