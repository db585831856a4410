#include "normative_table.h"

#include "number_reader.h"

#include "model/conversion.h"

#include <array>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;

using Row = NormativeLine;
inline constexpr std::size_t kRowCount = static_cast<std::size_t>(Row::MaterialCare) + 1;

struct Cells {
    double normative = 0;
    double need = 0;
    double remainder = 0;
};

// A part row: its need without the flag, and the normative share it takes of its section.
struct Part {
    Row row;
    double need;
    double normativeShare;
};

struct Table {
    double needEducation = 0;
    double needCare = 0;
    std::array<Cells, kRowCount> cells{};
};

// The values the table reads for its group: per-child needs of pedagogical staff P, support staff U
// and material costs ME, MC (education, care); the child's share S of the institution's hours; the
// administrative AE, AC and service SE, SC payroll parts; the normatives NT, NE, NC; and F, 1 when
// the group's children have hours of stay.
struct Inputs {
    double P, U, ME, MC, S, AE, AC, SE, SC, NT, NE, NC, F;
};

// A part's share of its section's normative, in proportion to its need; none without a need.
double shareOf(double normativeTimesNeed, double sectionNeed) noexcept
{
    return sectionNeed == 0 ? 0 : normativeTimesNeed / sectionNeed;
}

// A part row shows its need flagged, its share as a whole number, and the share as shown less the
// need rounded as it would be shown.
Cells partCells(double need, double share, double F) noexcept
{
    const double shownShare = roundShown(share, Pattern::Whole);
    return {shownShare, need * F, shownShare - roundShown(need, Pattern::Whole)};
}

Table fullTable(const Inputs& v) noexcept
{
    Table t;
    t.needEducation = (v.P + v.ME + v.S * v.AE + v.S * v.SE) * v.F;
    t.needCare = (v.MC + v.U + v.S * v.AC + v.S * v.SC) * v.F;
    const std::array<Part, 8> parts{{
        {Row::Pedagogical, v.P, shareOf(v.NE * v.P, t.needEducation)},
        {Row::AdminEducation, v.S * v.AE, shareOf(v.NE * v.S * v.AE, t.needEducation)},
        {Row::ServiceEducation, v.S * v.SE, shareOf(v.NE * v.S * v.SE, t.needEducation)},
        {Row::MaterialEducation, v.ME, shareOf(v.NE * v.ME, t.needEducation)},
        {Row::Assistant, v.U, shareOf(v.NC * v.U, t.needCare)},
        {Row::AdminCare, v.S * v.AC, shareOf(v.NC * v.S * v.AC, t.needCare)},
        {Row::ServiceCare, v.S * v.SC, shareOf(v.NC * v.S * v.SC, t.needCare)},
        {Row::MaterialCare, v.MC, shareOf(v.NC * v.MC, t.needCare)},
    }};
    for (const Part& p : parts)
        t.cells[static_cast<std::size_t>(p.row)] = partCells(p.need, p.normativeShare, v.F);
    t.cells[static_cast<std::size_t>(Row::Care)] = {v.NC * v.F, t.needCare, (v.NC - t.needCare) * v.F};
    return t;
}

// Without a care normative the support staff counts as service staff and each care part joins
// its education counterpart; the care rows stay 0.
Table educationOnlyTable(const Inputs& v) noexcept
{
    Table t;
    t.needEducation = (v.P + v.ME + v.S * v.AE + v.S * v.SE + v.MC + v.U + v.S * v.AC + v.S * v.SC) * v.F;
    t.needCare = 0;
    const double admin = v.S * v.AE + v.S * v.AC;
    const double service = v.S * v.SE + v.S * v.SC + v.U;
    const double material = v.ME + v.MC;
    const std::array<Part, 4> parts{{
        {Row::Pedagogical, v.P, shareOf(v.NE * v.P, t.needEducation)},
        {Row::AdminEducation, admin, shareOf(v.NE * admin, t.needEducation)},
        {Row::ServiceEducation, service, shareOf(v.NE * service, t.needEducation)},
        {Row::MaterialEducation, material, shareOf(v.NE * material, t.needEducation)},
    }};
    for (const Part& p : parts)
        t.cells[static_cast<std::size_t>(p.row)] = partCells(p.need, p.normativeShare, v.F);
    t.cells[static_cast<std::size_t>(Row::Care)] = {v.NC * v.F, 0, 0};
    return t;
}

} // namespace

StepView showNormativeTable(const InstitutionModel& in, NormativeGroup group, CalcResults& results)
{
    const AgeGroup a = ageGroupOf(group);
    const StayRegime s = regimeOf(group);
    const NeedResults& n = results.needs;
    NumberReader read;
    const auto& normative = in.regionalNormative[s][a];

    Inputs v{};
    v.P = n.pedNeed[a][s];
    v.U = n.assistantNeed[a][s];
    v.ME = n.materialNeedEducation[a][s];
    v.MC = n.materialNeedCare[a][s];
    v.S = n.hourSharePerChild[a][s];
    v.AE = n.adminPayrollEducation;
    v.AC = n.adminPayrollCare;
    v.SE = n.servicePayrollEducation;
    v.SC = n.servicePayrollCare;
    v.NT = read(normative[NormativePart::Total]);
    v.NE = read(normative[NormativePart::Education]);
    v.NC = read(normative[NormativePart::Care]);
    // The table of a group whose children have no hours of stay shows no normative and no need.
    v.F = n.dailyPupilHours[a][s][O::GeneralDevelopment] != 0 ? 1 : 0;

    Table t = isEducationOnly(group) ? educationOnlyTable(v) : fullTable(v);
    const double needTotal = t.needEducation + t.needCare;
    t.cells[static_cast<std::size_t>(Row::Total)] = {v.NT * v.F, needTotal, (v.NT - needTotal) * v.F};
    t.cells[static_cast<std::size_t>(Row::Education)] = {v.NE * v.F, t.needEducation, (v.NE - t.needEducation) * v.F};

    bool finite = read.allNumbers();
    for (const Cells& c : t.cells)
        finite = finite && allFinite(c.normative, c.need, c.remainder);
    if (!finite)
        return errorPanel();

    StepView view;
    view.labels.reserve(valueLabelCount(ResultsPanel::NormativeTable));
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const PanelLine& l = line(static_cast<Row>(i));
        put(view, value(l, NormativeColumn::Normative), t.cells[i].normative);
        put(view, value(l, NormativeColumn::Need), t.cells[i].need);
        put(view, value(l, NormativeColumn::Remainder), t.cells[i].remainder);
    }
    NormativeTableResults& shown = results.normativeTable;
    shown.hasProvidedHours[a][s] = v.F; // 0 or 1, exact also in single precision
    shown.shownNeedEducation = t.needEducation;
    shown.shownNeedCare = t.needCare;
    shown.shownNeedTotal = needTotal;
    return view;
}

} // namespace kvarton::calc
