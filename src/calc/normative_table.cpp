#include "normative_table.h"

#include "families.h"
#include "numbers.h"

#include <array>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Q = Quantity;
using Row = NormativeLine;
inline constexpr std::size_t kRowCount = static_cast<std::size_t>(Row::MaterialCare) + 1;

constexpr bool isSection(Row row) noexcept { return row == Row::Total || row == Row::Education || row == Row::Care; }
constexpr bool isCarePart(Row row) noexcept { return row > Row::Care; }

// --- Formulas ---------------------------------------------------------------------------------

// The values the table reads for its group: per-child needs of pedagogical staff P, support staff U
// and material costs ME, MC (education, care); the child's share S of the institution's hours; the
// administrative AE, AC and service SE, SC payroll parts; the normatives NT, NE, NC; and F, 1 when
// the group's children have hours of stay.
template <typename S>
struct Values {
    using N = NumberOf<S>;
    N P, U, ME, MC, S_, AE, AC, SE, SC, NT, NE, NC, F;
    bool educationOnly;

    Values(S& s, NormativeGroup group)
        : educationOnly(isEducationOnly(group))
    {
        const AgeGroup a = ageGroupOf(group);
        const StayRegime r = regimeOf(group);
        const auto at = [&](Quantity kind) { return s.quantity(quantity(kind, a, r)); };
        const auto whole = [&](Quantity kind) { return s.quantity(quantity(kind)); };
        P = at(Q::PedNeed);
        U = at(Q::AssistantNeed);
        ME = at(Q::MaterialNeedEducation);
        MC = at(Q::MaterialNeedCare);
        S_ = at(Q::HourSharePerChild);
        AE = whole(Q::AdminPayrollEducation);
        AC = whole(Q::AdminPayrollCare);
        SE = whole(Q::ServicePayrollEducation);
        SC = whole(Q::ServicePayrollCare);
        NT = s.normative(r, a, NormativePart::Total);
        NE = s.normative(r, a, NormativePart::Education);
        NC = s.normative(r, a, NormativePart::Care);
        F = at(Q::HasProvidedHours);
    }

    // A part's need without the flag; without a care normative the support staff counts as
    // service staff and each care part joins its education counterpart.
    N partNeed(Row row) const
    {
        if (educationOnly) {
            switch (row) {
            case Row::AdminEducation:
                return S_ * AE + S_ * AC;
            case Row::ServiceEducation:
                return S_ * SE + S_ * SC + U;
            case Row::MaterialEducation:
                return ME + MC;
            default:
                break;
            }
        }
        switch (row) {
        case Row::AdminEducation:
            return S_ * AE;
        case Row::ServiceEducation:
            return S_ * SE;
        case Row::MaterialEducation:
            return ME;
        case Row::Assistant:
            return U;
        case Row::AdminCare:
            return S_ * AC;
        case Row::ServiceCare:
            return S_ * SC;
        case Row::MaterialCare:
            return MC;
        default:
            return P;
        }
    }

    // The normative share of a part before its division by the section's need.
    N shareNumerator(Row row) const
    {
        const N& normative = isCarePart(row) ? NC : NE;
        if (!educationOnly && (row == Row::AdminEducation || row == Row::ServiceEducation))
            return normative * S_ * (row == Row::AdminEducation ? AE : SE);
        if (!educationOnly && (row == Row::AdminCare || row == Row::ServiceCare))
            return normative * S_ * (row == Row::AdminCare ? AC : SC);
        return normative * partNeed(row);
    }

    N sectionNeed(Row section) const
    {
        if (section == Row::Care)
            return (MC + U + S_ * AC + S_ * SC) * F;
        if (educationOnly)
            return (P + ME + S_ * AE + S_ * SE + MC + U + S_ * AC + S_ * SC) * F;
        return (P + ME + S_ * AE + S_ * SE) * F;
    }

    const N& normative(Row section) const { return section == Row::Total ? NT : section == Row::Care ? NC : NE; }
};

constexpr std::string_view kNoCareNormative
    = "у этой группы нет норматива на уход и присмотр: расходы на уход и присмотр показаны в строках обучения, "
      "воспитания и развития";

template <typename S>
NumberOf<S> hasProvidedHours(S& s, AgeGroup a, StayRegime r)
{
    const auto daily = s.quantity(quantity(Q::DailyPupilHours, a, r, O::GeneralDevelopment));
    if (isZero(daily))
        return s.ruled(0, "у детей группы нет часов пребывания: норматив и потребности группы равны 0", daily);
    return s.ruled(1, "у детей группы есть часы пребывания", daily);
}

template <typename S>
NumberOf<S> sectionNeed(S& s, Row row)
{
    const Values<S> v(s, s.options().group);
    if (row == Row::Total) {
        NumberOf<S> total{};
        accumulate(total, s.quantity(quantity(Q::SectionNeed, Row::Education)));
        accumulate(total, s.quantity(quantity(Q::SectionNeed, Row::Care)));
        return total;
    }
    if (row == Row::Care && v.educationOnly)
        return s.ruled(0, kNoCareNormative, v.NC);
    return v.sectionNeed(row);
}

template <typename S>
NumberOf<S> sectionRemainder(S& s, Row row)
{
    const Values<S> v(s, s.options().group);
    if (row == Row::Care && v.educationOnly)
        return s.ruled(0, kNoCareNormative, v.NC);
    return (v.normative(row) - s.quantity(quantity(Q::SectionNeed, row))) * v.F;
}

template <typename S>
NumberOf<S> partNeed(S& s, Row row)
{
    const Values<S> v(s, s.options().group);
    if (v.educationOnly && isCarePart(row))
        return s.ruled(0, kNoCareNormative, v.NC);
    return v.partNeed(row) * v.F;
}

// A part's share of its section's normative, in proportion to its need; none without a need. The
// share is shown as a whole number.
template <typename S>
NumberOf<S> partNormative(S& s, Row row)
{
    const Values<S> v(s, s.options().group);
    if (v.educationOnly && isCarePart(row))
        return s.ruled(0, kNoCareNormative, v.NC);
    const auto section = s.quantity(quantity(Q::SectionNeed, isCarePart(row) ? Row::Care : Row::Education));
    if (isZero(section))
        return s.ruled(0, "у раздела нет потребностей, поэтому норматив части 0", section);
    return s.rounded(v.shareNumerator(row) / section, Pattern::Whole);
}

// A part row shows the share as shown less the need rounded as it would be shown.
template <typename S>
NumberOf<S> partRemainder(S& s, Row row)
{
    const Values<S> v(s, s.options().group);
    if (v.educationOnly && isCarePart(row))
        return s.ruled(0, kNoCareNormative, v.NC);
    return s.quantity(quantity(Q::PartNormative, row))
        - s.shown(v.partNeed(row), Pattern::Whole, quantity(Q::PartNeed, row));
}

template <typename S>
std::optional<NumberOf<S>> evaluateFamily(S& s, QuantityRef q)
{
    const auto row = q.index<Row>(0);
    switch (q.kind) {
    case Q::HasProvidedHours:
        return hasProvidedHours(s, q.index<AgeGroup>(0), q.index<StayRegime>(1));
    case Q::SectionNormative: {
        const Values<S> v(s, s.options().group);
        return v.normative(row) * v.F;
    }
    case Q::SectionNeed:
        return sectionNeed(s, row);
    case Q::SectionRemainder:
        return sectionRemainder(s, row);
    case Q::PartNormative:
        return partNormative(s, row);
    case Q::PartNeed:
        return partNeed(s, row);
    case Q::PartRemainder:
        return partRemainder(s, row);
    default:
        return std::nullopt;
    }
}

// --- Words ------------------------------------------------------------------------------------

constexpr std::string_view kFlag = " Группа, у детей которой нет часов пребывания, показывает 0.";

constexpr QuantityWords kWords[] = {
    {Q::HasProvidedHours, Axes::Group, "Есть ли у детей группы часы пребывания", "",
        "1, если дети группы проводят в группах хоть сколько-нибудь часов, иначе 0: на это число умножаются "
        "норматив и потребности в таблице.",
        "1, если ученико-часы в день всех детей группы не равны 0, иначе 0."},
    {Q::SectionNormative, Axes::TableLine, "Норматив", "рублей",
        "Норматив финансирования региона на одного ребенка группы в год: весь или его часть на обучение, "
        "воспитание и развитие либо на уход и присмотр.",
        "норматив = норматив региона × есть ли часы пребывания (1 или 0)."},
    {Q::SectionNeed, Axes::TableLine, "Потребности", "рублей",
        "Потребность учреждения на одного ребенка группы в год: по разделу — сумма потребностей его частей, всего "
        "— сумма разделов.",
        "потребность раздела = (сумма потребностей частей) × есть ли часы пребывания (1 или 0); всего = обучение, "
        "воспитание и развитие + уход и присмотр."},
    {Q::SectionRemainder, Axes::TableLine, "Остаток", "рублей",
        "Сколько норматива остается после потребностей; отрицательный остаток — норматива не хватает на "
        "потребности.",
        "остаток = (норматив региона − потребность) × есть ли часы пребывания (1 или 0)."},
    {Q::PartNormative, Axes::TableLine, "Норматив", "рублей",
        "Часть норматива раздела, пропорциональная потребности этой части расходов, в целых рублях.",
        "норматив части = норматив раздела × потребность части : потребность раздела, округлено до рубля; 0, если "
        "у раздела нет потребностей."},
    {Q::PartNeed, Axes::TableLine, "Потребности", "рублей",
        "Потребность учреждения на одного ребенка группы в год по этой части расходов. Оплата АУП и "
        "обслуживающего персонала приходится на ребенка в его доле ученико-часов учреждения.",
        "потребность = потребность части на ребенка × есть ли часы пребывания (1 или 0); для АУП и обслуживающего "
        "персонала потребность части на ребенка = доля ребенка в ученико-часах × оплата на обучение или на уход и "
        "присмотр."},
    {Q::PartRemainder, Axes::TableLine, "Остаток", "рублей",
        "Норматив части, как он показан, минус потребность части, округленная до рубля; отрицательный остаток — "
        "норматива не хватает.",
        "остаток = норматив части − потребность части, оба в целых рублях."},
};

} // namespace

StepView showNormativeTable(const InstitutionModel& in, NormativeGroup group, CalcResults& results)
{
    const StepOptions options{.step = 15, .group = group};
    Reading s(in, results, options);
    const Panel& table = panel(ResultsPanel::NormativeTable);
    StepView view;
    view.labels.reserve(valueLabelCount(ResultsPanel::NormativeTable));
    for (std::size_t l = 0; l < kRowCount; ++l)
        for (NormativeColumn c : {NormativeColumn::Normative, NormativeColumn::Need, NormativeColumn::Remainder}) {
            const double cell = s.quantity(families::normativeTableFigure(l, ix(c), options));
            if (!std::isfinite(cell))
                return errorPanel();
            put(view, value(table.lines[l], c), cell);
        }
    if (!s.allNumbers())
        return errorPanel();

    const AgeGroup a = ageGroupOf(group);
    const StayRegime r = regimeOf(group);
    NormativeTableResults& shown = results.normativeTable;
    shown.hasProvidedHours[a][r] = s.quantity(quantity(Q::HasProvidedHours, a, r)); // 0 or 1, exact in single
    shown.shownNeedEducation = s.quantity(quantity(Q::SectionNeed, Row::Education));
    shown.shownNeedCare = s.quantity(quantity(Q::SectionNeed, Row::Care));
    shown.shownNeedTotal = s.quantity(quantity(Q::SectionNeed, Row::Total));
    return view;
}

namespace families {

std::optional<double> evaluateNormativeTable(Reading& s, QuantityRef q) { return evaluateFamily(s, q); }
std::optional<Term> evaluateNormativeTable(Explaining& s, QuantityRef q) { return evaluateFamily(s, q); }

// The table is computed when it is shown, for the group of the options.
std::optional<double> storedNormativeTable(const CalcResults&, QuantityRef) noexcept { return std::nullopt; }

std::span<const QuantityWords> wordsNormativeTable() noexcept { return kWords; }

QuantityRef normativeTableFigure(std::size_t line, std::size_t column, const StepOptions&) noexcept
{
    const auto row = static_cast<Row>(line);
    static constexpr std::array<Quantity, 3> kSections{Q::SectionNormative, Q::SectionNeed, Q::SectionRemainder};
    static constexpr std::array<Quantity, 3> kParts{Q::PartNormative, Q::PartNeed, Q::PartRemainder};
    return quantity((isSection(row) ? kSections : kParts)[column], row);
}

} // namespace families

} // namespace kvarton::calc
