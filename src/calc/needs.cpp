#include "needs.h"

#include "number_reader.h"
#include "pay_and_positions.h"
#include "pupil_hour_cost.h"

#include "model/conversion.h"

#include <array>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Services = EnumArray<AgeGroup, EnumArray<GroupOrientation, EnumArray<StayMode, double>>>;

inline constexpr double kHeadSalaryPupilFloor = 60;
inline constexpr double kHeadSalaryPupilStep = 120;
inline constexpr double kServicePayrollMonths = 12;

// The salaried service positions in the order their payroll is added up.
constexpr std::array<ServicePosition, 11> kSalariedPositions{
    ServicePosition::Accountant,
    ServicePosition::Clerk,
    ServicePosition::Chef,
    ServicePosition::Cook,
    ServicePosition::Storekeeper,
    ServicePosition::LinenKeeper,
    ServicePosition::LaundryWorker,
    ServicePosition::Loader,
    ServicePosition::RepairWorker,
    ServicePosition::OtherPositions,
    ServicePosition::Medical,
};

// The results held in single precision.
constexpr bool isSingleGroup(AgeGroup a, StayRegime s) noexcept
{
    return a == AgeGroup::Senior && s == StayRegime::Day;
}
constexpr bool isSingleCell(AgeGroup a, StayRegime s, O o) noexcept
{
    return isSingleGroup(a, s) && o == O::Compensating;
}
double stored(bool isSingle, double v) noexcept { return isSingle ? asSingle(v) : v; }

void countChildren(const Services& services, double months, double days, NeedResults& out) noexcept
{
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>())
            for (O o : allOf<O>()) {
                double children = 0;
                double hours = 0;
                for (StayMode m : allOf<StayMode>())
                    if (belongsTo(m, s)) {
                        children += services[a][o][m];
                        hours += services[a][o][m] * info(m).hours;
                    }
                out.serviceCount[a][s][o] = children;
                out.dailyPupilHours[a][s][o] = hours;
                out.annualHoursPerChild[a][s][o]
                    = children == 0 ? 0 : kWeeksPerYear * (hours / children) / kMonthsPerYear * months * days;
            }
}

// The two cells of a group averaged, weighted by their children (compensating children stand in
// both cells).
double weightedByChildren(const NeedResults& n, const PerGroupCell<double>& perChild, AgeGroup a, StayRegime s) noexcept
{
    const double general = n.serviceCount[a][s][O::GeneralDevelopment];
    const double compensating = n.serviceCount[a][s][O::Compensating];
    if (general + compensating == 0)
        return 0;
    return (perChild[a][s][O::GeneralDevelopment] * general + perChild[a][s][O::Compensating] * compensating)
        / (general + compensating);
}

// A child's share of a group's weekly hours: its average weekly hours over the group size.
double weeklyShare(
    const NeedResults& n, const EnumArray<O, EnumArray<AgeBand, double>>& sizes, AgeGroup a, StayRegime s, O o) noexcept
{
    return n.annualHoursPerChild[a][s][o] / kWeeksPerYear / sizes[o][bandOf(a)];
}

} // namespace

bool computeNeeds(const InstitutionModel& in, double f, CalcResults& results) noexcept
{
    NumberReader read;
    NeedResults& out = results.needs;
    PupilHourResults& p = results.pupilHours;
    const Services services = read(in.providedServices);
    const double months = read(in.monthsPerYear);
    const double days = read(in.daysPerWeek);
    const auto sizes = read(in.groupSize);
    const double special = read(in.specialPartSharePed);
    const double growth = read(in.pedSalaryGrowthPercent2012);
    const double nonPedIncentive = read(in.incentiveShareNonPed);

    countChildren(services, months, days, out);
    computePayAndPositions(in, read, p);

    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>())
            for (O o : allOf<O>()) {
                double payOfPositions = 0;
                for (StaffRole r : pedagogicalRoles())
                    payOfPositions += p.generalPayPerPosition[r] * p.positionsPerGroupHour[kindOf(s, o)][r];
                out.pedNeedPerChild[a][s][o]
                    = stored(isSingleCell(a, s, o), payOfPositions * weeklyShare(out, sizes, a, s, o));
            }
    const double materialPercent = read(in.materialCostsPercentOfPedPayroll);
    const double materialTeaching = read(in.materialCostsTeachingShare);
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>()) {
            out.pedNeedWeighted[a][s] = weightedByChildren(out, out.pedNeedPerChild, a, s);
            out.pedNeed[a][s] = stored(isSingleGroup(a, s), f * out.pedNeedWeighted[a][s] / (1 - special / 100));
            // Material costs are a percentage of the pedagogical need without accruals.
            out.materialNeed[a][s] = materialPercent * out.pedNeed[a][s] / 100 / f;
            out.materialNeedEducation[a][s] = materialTeaching * out.materialNeed[a][s] / 100;
            out.materialNeedCare[a][s] = (100 - materialTeaching) * out.materialNeed[a][s] / 100;
        }

    // Educational-support staff.
    constexpr StaffRole TA = StaffRole::TeacherAssistant;
    const StayHours stay = readStayHours(in, read);
    for (GroupKind k : allOf<GroupKind>())
        p.positionsPerGroupHour[k][TA] = positionsPerGroupHourOf(in, read, stay, k, TA);
    p.generalPayPerPosition[TA] = payPerPosition(read(in.payroll2011[TA]), read(in.positions2011[TA]), growth, special);
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>())
            for (O o : allOf<O>())
                out.assistantNeedPerChild[a][s][o] = stored(isSingleCell(a, s, o),
                    p.positionsPerGroupHour[kindOf(s, o)][TA] * p.generalPayPerPosition[TA]
                        * weeklyShare(out, sizes, a, s, o));
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>()) {
            out.assistantNeedWeighted[a][s] = weightedByChildren(out, out.assistantNeedPerChild, a, s);
            out.assistantNeed[a][s]
                = stored(isSingleGroup(a, s), f * out.assistantNeedWeighted[a][s] / (1 - special / 100));
        }

    // Administrative staff: the head's salary grows with the pupils beyond the floor. The pupils are
    // counted here from the inputs, as the pupil-hour calculation counts them, so that the figure
    // never depends on whether step 13 or 14 was computed before.
    countPupilHours(in, read, p);
    double pupils = 0;
    for (StayRegime s : {StayRegime::Day, StayRegime::ShortTerm})
        for (O o : allOf<O>())
            pupils += p.pupilCount[s][o];
    out.headSalaryPupilCount = pupils < kHeadSalaryPupilFloor ? kHeadSalaryPupilFloor : pupils;
    out.headSalaryBase = (read(in.payroll2011PedTotal) / read(in.positions2011PedTotal))
        * (1 + (out.headSalaryPupilCount - kHeadSalaryPupilFloor) / kHeadSalaryPupilStep);
    out.headSalaryRaise = growth * out.headSalaryBase / 100;
    out.headSalary = out.headSalaryBase + out.headSalaryRaise;
    // The deputies' positions are added as currency values.
    const auto education = Currency::fromDouble(read(in.servicePositions[ServicePosition::DeputyEducation]));
    const auto housekeeping = Currency::fromDouble(read(in.servicePositions[ServicePosition::DeputyHousekeeping]));
    const auto deputies = education && housekeeping ? add(*education, *housekeeping) : std::nullopt;
    if (!deputies)
        return false;
    out.deputiesPayBase = out.headSalaryBase * read(in.deputySalaryCoefficient) / 100 * deputies->toDouble();
    out.deputiesPay = out.deputiesPayBase / (1 - nonPedIncentive / 100);
    out.adminPayroll = f * (out.deputiesPay + out.headSalary);
    out.adminPayrollEducation = read(in.adminPayrollTeachingShare) * out.adminPayroll / 100;
    out.adminPayrollCare = out.adminPayroll - out.adminPayrollEducation;

    // Service staff: monthly salaries of the positions planned.
    double monthly = 0;
    for (ServicePosition pos : kSalariedPositions)
        monthly += read(in.servicePositions[pos]) * read(in.serviceSalary[pos]);
    out.servicePayrollBase = kServicePayrollMonths * monthly;
    out.servicePayroll = f * out.servicePayrollBase / (1 - nonPedIncentive / 100);
    out.servicePayrollEducation = read(in.servicePayrollTeachingShare) * out.servicePayroll / 100;
    out.servicePayrollCare = out.servicePayroll - out.servicePayrollEducation;

    // Administrative and service payroll are shared out over the children by their hours of stay.
    double allHours = 0;
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>())
            for (O o : allOf<O>())
                allHours += out.dailyPupilHours[a][s][o];
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime s : allOf<StayRegime>()) {
            const auto& count = out.serviceCount[a][s];
            const auto& daily = out.dailyPupilHours[a][s];
            const double children = count[O::GeneralDevelopment] + count[O::Compensating];
            const double hours = daily[O::GeneralDevelopment] + daily[O::Compensating];
            out.hourSharePerChild[a][s] = children == 0 ? 0 : hours / allHours / children;
        }

    return read.allNumbers()
        && allFinite(out.serviceCount, out.dailyPupilHours, out.annualHoursPerChild, out.pedNeedPerChild,
            out.assistantNeedPerChild, out.pedNeedWeighted, out.assistantNeedWeighted, out.pedNeed, out.assistantNeed,
            out.materialNeed, out.materialNeedEducation, out.materialNeedCare, out.headSalaryPupilCount,
            out.headSalaryBase, out.headSalaryRaise, out.headSalary, out.deputiesPayBase, out.deputiesPay,
            out.adminPayroll, out.adminPayrollEducation, out.adminPayrollCare, out.servicePayrollBase,
            out.servicePayroll, out.servicePayrollEducation, out.servicePayrollCare, out.hourSharePerChild)
        && allFinite(p.generalPayPerPositionPedTotal, p.generalPayPerPosition, p.positionsPerGroupHour);
}

} // namespace kvarton::calc
