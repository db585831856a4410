#include "estimate.h"

#include "norms.h"
#include "number_reader.h"

#include "model/conversion.h"

#include <array>
#include <initializer_list>
#include <optional>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;

using GroupSizes = EnumArray<O, EnumArray<AgeBand, double>>;

// Pay of the positions a role needs over all children, summed over the twelve cells and grossed up
// by the special part.
double payrollOf(const CalcResults& r, const GroupSizes& sizes, StaffRole role, double special) noexcept
{
    const NeedResults& n = r.needs;
    double time = 0;
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>())
            for (O o : allOf<O>())
                time += n.annualHoursPerChild[a][s][o] * n.serviceCount[a][s][o]
                    * r.pupilHours.positionsPerGroupHour[kindOf(s, o)][role] / sizes[o][bandOf(a)];
    return time * r.pupilHours.generalPayPerPosition[role] / kWeeksPerYear / (1 - special / 100);
}

// The sum of the whole numbers that values show, as currency; nullopt beyond its range.
std::optional<Currency> shownSum(std::initializer_list<double> values) noexcept
{
    Currency sum;
    for (double v : values) {
        const auto shown = Currency::fromDouble(roundShown(v, Pattern::Whole));
        const auto next = shown ? add(sum, *shown) : std::nullopt;
        if (!next)
            return std::nullopt;
        sum = *next;
    }
    return sum;
}

} // namespace

bool computeEstimatePayrolls(const InstitutionModel& in, CalcResults& results) noexcept
{
    NumberReader read;
    EstimateResults& out = results.estimate;
    const double special = read(in.specialPartSharePed);
    const GroupSizes sizes = read(in.groupSize);
    for (StaffRole r : pedagogicalRoles()) {
        out.pedPayroll[r] = payrollOf(results, sizes, r, special);
        const double part = special * out.pedPayroll[r] / 100;
        out.pedSpecialPart[r] = r == StaffRole::SpeechTherapist ? asSingle(part) : part;
    }
    out.assistantPayroll = payrollOf(results, sizes, StaffRole::TeacherAssistant, special);
    out.assistantSpecialPart = special * out.assistantPayroll / 100;
    return read.allNumbers()
        && allFinite(out.pedPayroll, out.pedSpecialPart, out.assistantPayroll, out.assistantSpecialPart);
}

StepView showEstimate(const InstitutionModel& in, const CalcResults& results)
{
    const EstimateResults& e = results.estimate;
    const NeedResults& n = results.needs;
    NumberReader read;
    const double nonPedIncentive = read(in.incentiveShareNonPed);

    double pedTotal = 0;
    double pedSpecial = 0;
    for (StaffRole r : pedagogicalRoles()) {
        pedTotal += e.pedPayroll[r];
        pedSpecial += e.pedSpecialPart[r];
    }
    const double admin = n.deputiesPay + n.headSalary;
    // Non-pedagogical staff take their incentive share of the payroll before the gross-up.
    const double adminSpecial = nonPedIncentive * n.deputiesPayBase / 100 + n.headSalaryRaise;
    const double serviceSpecial = nonPedIncentive * n.servicePayrollBase / 100;
    const double material = read(in.materialCostsPercentOfPedPayroll) * pedTotal / 100;
    double subsidy = 0;
    for (StayRegime s : allOf<StayRegime>())
        for (AgeGroup a : allOf<AgeGroup>())
            subsidy += read(in.regionalNormative[s][a][NormativePart::Total]) * read(in.assignedServices[s][a]);

    // The totals add what their rows show; the total with accruals converts to currency before the
    // material costs as shown join it.
    const auto payroll = shownSum({pedTotal, admin, n.servicePayroll, e.assistantPayroll});
    const auto special = shownSum({pedSpecial, adminSpecial, serviceSpecial, e.assistantSpecialPart});
    const auto accrued = payroll ? Currency::fromDouble(payroll->toDouble() * PayrollAccrualRate) : std::nullopt;
    const auto materialShown = shownSum({material});
    const auto expenses = accrued && materialShown ? add(*accrued, *materialShown) : std::nullopt;
    const double specialAccrued = special ? special->toDouble() * PayrollAccrualRate : 0;
    if (!read.allNumbers() || !payroll || !special || !expenses
        || !allFinite(pedTotal, pedSpecial, admin, adminSpecial, n.headSalary, n.headSalaryRaise, n.servicePayroll,
            serviceSpecial, e.assistantPayroll, e.assistantSpecialPart, material, specialAccrued, subsidy, e.pedPayroll,
            e.pedSpecialPart))
        return errorPanel();

    // Row by row, the total before its special part.
    constexpr auto Total = EstimateColumn::Total;
    constexpr auto Special = EstimateColumn::Special;
    StepView view;
    view.labels.reserve(valueLabelCount(ResultsPanel::Estimate));
    const auto putRow = [&view](const PanelLine& row, double total, double specialPart) {
        put(view, value(row, Total), total);
        put(view, value(row, Special), specialPart);
    };
    putRow(line(EstimateLine::Pedagogical), pedTotal, pedSpecial);
    for (StaffRole r : pedagogicalRoles())
        putRow(estimateLine(r), e.pedPayroll[r], e.pedSpecialPart[r]);
    putRow(line(EstimateLine::Admin), admin, adminSpecial);
    putRow(line(EstimateLine::Head), n.headSalary, n.headSalaryRaise);
    putRow(line(EstimateLine::Service), n.servicePayroll, serviceSpecial);
    putRow(line(EstimateLine::Assistant), e.assistantPayroll, e.assistantSpecialPart);
    put(view, value(line(EstimateLine::Payroll), Total), payroll->wholeText());
    put(view, value(line(EstimateLine::Payroll), Special), special->wholeText());
    put(view, value(line(EstimateLine::Material), Total), material);
    put(view, value(line(EstimateLine::Expenses), Total), expenses->wholeText());
    put(view, value(line(EstimateLine::Expenses), Special), specialAccrued);
    put(view, value(line(EstimateLine::Subsidy), Total), subsidy);
    return view;
}

} // namespace kvarton::calc
