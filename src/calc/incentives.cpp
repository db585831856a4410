#include "incentives.h"

#include "norms.h"
#include "number_reader.h"
#include "pupil_hour_cost.h"

#include "model/conversion.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Coefficient = std::optional<double>;

// The group kind of a regime's general-development groups.
constexpr GroupKind generalKindOf(StayRegime s) noexcept { return kindOf(s, O::GeneralDevelopment); }

// A coefficient for compensating groups is "-" where the regime has no compensating hours or cost,
// or where a value it needs cannot be computed.
Coefficient compensatingCoefficient(bool given, std::initializer_list<double> operands, double value) noexcept
{
    for (double v : operands)
        if (!std::isfinite(v))
            given = false;
    if (!given || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void computeCompensatingCoefficients(
    const PupilHourResults& p, const PerCell<double>& hours, IncentiveResults& out) noexcept
{
    for (StayRegime s : allOf<StayRegime>()) {
        const GroupKind g = generalKindOf(s);
        const double costC = p.pupilHourCost[s][O::Compensating];
        const double hoursC = hours[s][O::Compensating];
        const double sizeG = p.averageGroupSize[s][O::GeneralDevelopment];
        const double sizeC = p.averageGroupSize[s][O::Compensating];
        const double teacherG = p.positionsPerGroupHour[g][StaffRole::Teacher];
        const double teacherC = p.positionsPerGroupHour[GroupKind::Compensating][StaffRole::Teacher];
        // The short-term regime tests the product of the teacher's positions and the cost, the day
        // regime each of them.
        const bool teacherGiven
            = s == StayRegime::Day ? costC != 0 && teacherG != 0 && hoursC != 0 : teacherG * costC != 0 && hoursC != 0;
        out.compensatingCoefTeacher[s] = compensatingCoefficient(
            teacherGiven, {costC, hoursC, sizeG, sizeC, teacherG, teacherC}, sizeG * (teacherC / teacherG) / sizeC);
        out.compensatingCoefOther[s]
            = compensatingCoefficient(costC != 0 && hoursC != 0, {costC, hoursC, sizeG, sizeC}, sizeG / sizeC);
    }
}

// A cell without hours contributes nothing, so that a cost that cannot be computed in a cell
// without pupils leaves the coefficient of the other cell intact.
double weighted(double coefficient, double hours) noexcept { return hours == 0 ? 0 : coefficient * hours; }

} // namespace

bool computeIncentives(const InstitutionModel& in, Method method, CalcResults& results) noexcept
{
    if (!calculatePupilHourCost(in, method, results))
        return false;
    const PupilHourResults& p = results.pupilHours;
    IncentiveResults& out = results.incentives;
    NumberReader read;
    const double special = read(in.specialPartSharePed);
    const double compensation = read(in.compensationSharePed);
    const double awards = read(in.awardsSharePed);
    const PerCell<double>& hours = hoursBasis(p, method);

    // Funds: the pupil-hour pay is the pedagogical payroll without its special part.
    out.pupilHourSalaryFund = p.payFundByPupilHours[StayRegime::Day][O::GeneralDevelopment]
        + p.payFundByPupilHours[StayRegime::Day][O::Compensating]
        + p.payFundByPupilHours[StayRegime::ShortTerm][O::GeneralDevelopment]
        + p.payFundByPupilHours[StayRegime::ShortTerm][O::Compensating];
    out.pupilHourSalaryFundShortTerm = p.payFundByPupilHours[StayRegime::ShortTerm][O::GeneralDevelopment]
        + p.payFundByPupilHours[StayRegime::ShortTerm][O::Compensating];
    const double payroll = out.pupilHourSalaryFund / (1 - special / 100);
    const double payrollShortTerm = out.pupilHourSalaryFundShortTerm / (1 - special / 100);
    out.compensationFund = compensation / 100 * payroll;
    out.awardsFund = awards / 100 * payroll;
    out.compensationFundShortTerm = compensation / 100 * payrollShortTerm;
    out.awardsFundShortTerm = awards / 100 * payrollShortTerm;

    EnumArray<GroupKind, EnumArray<StaffRole, double>> direct{};
    for (GroupKind k : allOf<GroupKind>())
        for (StaffRole r : pedagogicalRoles()) {
            direct[k][r] = read(in.directHours[k][r]);
            const double other = read(in.otherHours[k][r]);
            out.timeRatio[k][r] = direct[k][r] == 0 ? 1 : (direct[k][r] + other) / direct[k][r];
        }
    const EnumArray<GroupKind, double> stay = read(in.directStayHours);

    computeCompensatingCoefficients(p, hours, out);

    const double incentive = special - compensation - awards;
    const double kept = 1 - incentive / 100;
    constexpr GroupKind C = GroupKind::Compensating;
    for (StaffRole r : pedagogicalRoles())
        for (StayRegime s : {StayRegime::Day, StayRegime::ShortTerm}) {
            const GroupKind g = generalKindOf(s);
            const double pay = p.generalPayPerPosition[r];
            const double hoursG = hours[s][O::GeneralDevelopment];
            const double hoursC = hours[s][O::Compensating];
            const double normG = annualHoursNorm(r, g);
            const double normC = annualHoursNorm(r, C);
            const double sizeG = p.averageGroupSize[s][O::GeneralDevelopment];

            const double sizeC = p.averageGroupSize[s][O::Compensating];
            const double costG = p.pupilHourCost[s][O::GeneralDevelopment];
            const double costC = p.pupilHourCost[s][O::Compensating];

            // The compensating coefficient divides by the share kept twice, the general one once.
            const double coefG = pay * out.timeRatio[g][r] / sizeG / normG / kept / costG;
            const double coefC = pay * out.timeRatio[C][r] / sizeC / normC / kept / kept / costC;
            out.roleCoefGeneral[s][r] = coefG;
            out.roleCoefCompensating[s][r] = coefC;
            out.roleCoef[s][r]
                = hoursG + hoursC == 0 ? 1 : (weighted(coefG, hoursG) + weighted(coefC, hoursC)) / (hoursG + hoursC);

            // The role's direct working time the pupil-hours call for; general pupils are those of
            // the general cell less the compensating ones. A group kind where the role has no
            // direct hours adds nothing.
            double timeG = direct[g][r] == 0 ? 0 : direct[g][r] * (hoursG - hoursC) / stay[g];
            double timeC = direct[C][r] == 0 ? 0 : direct[C][r] * hoursC / stay[C];
            if (method == Method::ByAllNeeds) {
                timeG = direct[g][r] == 0 ? 0 : timeG / p.directHoursPerGroupHour[g];
                timeC = direct[C][r] == 0 ? 0 : timeC / p.directHoursPerGroupHour[C];
            }
            out.roleRaiseAmount[s][r] = (out.roleCoef[s][r] - 1) * (pay * (timeG + timeC) / sizeG / normG);
        }
    return read.allNumbers();
}

StepView showIncentiveView(const InstitutionModel& model, const CalcResults& results, StayRegime view, Method hoursOf)
{
    const IncentiveResults& r = results.incentives;
    const PerCell<double>& hours = hoursBasis(results.pupilHours, hoursOf);
    const bool day = view == StayRegime::Day;
    const auto coefficientText = [](const ValueLabel& label, const Coefficient& c) {
        return c ? format(*c, label.pattern) : std::string("-");
    };

    StepView v;
    v.labels.reserve(valueLabelCount(ResultsPanel::Incentives));
    const ValueLabel& teachers = value(line(IncentiveLine::CompensatingTeachers));
    const ValueLabel& other = value(line(IncentiveLine::CompensatingOther));
    put(v, teachers, coefficientText(teachers, r.compensatingCoefTeacher[view]));
    put(v, other, coefficientText(other, r.compensatingCoefOther[view]));
    put(v, value(line(IncentiveLine::SalaryFund)), day ? r.pupilHourSalaryFund : r.pupilHourSalaryFundShortTerm);
    put(v, value(line(IncentiveLine::CompensationFund)), day ? r.compensationFund : r.compensationFundShortTerm);
    put(v, value(line(IncentiveLine::AwardsFund)), day ? r.awardsFund : r.awardsFundShortTerm);

    NumberReader read;
    const GroupKind g = generalKindOf(view);
    constexpr GroupKind C = GroupKind::Compensating;
    for (StaffRole role : pedagogicalRoles()) {
        // The amount counts only for a role with working time in the groups of the view.
        const double generalTime = read(model.directHours[g][role]) + read(model.otherHours[g][role]);
        const double compensatingTime = read(model.directHours[C][role]) + read(model.otherHours[C][role]);
        const double time
            = generalTime * hours[view][O::GeneralDevelopment] + compensatingTime * hours[view][O::Compensating];
        const PanelLine& roleLine = incentiveLine(role);
        put(v, value(roleLine, RoleColumn::Coefficient), r.roleCoef[view][role]);
        const ValueLabel& amount = value(roleLine, RoleColumn::Amount);
        if (time != 0)
            put(v, amount, r.roleRaiseAmount[view][role]);
        else
            put(v, amount, "0");
    }
    if (!read.allNumbers())
        return errorPanel();
    return v;
}

} // namespace kvarton::calc
