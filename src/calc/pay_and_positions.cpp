#include "pay_and_positions.h"

#include "norms.h"

#include "model/conversion.h"

namespace kvarton::calc {

double payPerPosition(double payroll, double positions, double growthPercent, double specialPercent) noexcept
{
    if (positions == 0)
        return 0;
    return (payroll / positions) * (1 + growthPercent / 100) * (1 - specialPercent / 100);
}

StayHours readStayHours(const InstitutionModel& in, NumberReader& read) noexcept
{
    return {read(in.directStayHours), read(in.otherStayHours)};
}

double positionsPerGroupHourOf(
    const InstitutionModel& in, NumberReader& read, const StayHours& stay, GroupKind k, StaffRole r) noexcept
{
    const double direct = read(in.directHours[k][r]) / stay.direct[k];
    const double other = read(in.otherHours[k][r]) / stay.other[k];
    return (direct + other) / weeklyHourNorm[k][r];
}

void computePayAndPositions(const InstitutionModel& in, NumberReader& read, PupilHourResults& out) noexcept
{
    const double growth = read(in.pedSalaryGrowthPercent2012);
    const double special = read(in.specialPartSharePed);
    out.generalPayPerPositionPedTotal
        = payPerPosition(read(in.payroll2011PedTotal), read(in.positions2011PedTotal), growth, special);
    for (StaffRole r : pedagogicalRoles())
        out.generalPayPerPosition[r]
            = payPerPosition(read(in.payroll2011[r]), read(in.positions2011[r]), growth, special);

    const StayHours stay = readStayHours(in, read);
    for (GroupKind k : allOf<GroupKind>())
        for (StaffRole r : pedagogicalRoles()) {
            const double positions = positionsPerGroupHourOf(in, read, stay, k, r);
            out.positionsPerGroupHour[k][r] = isSinglePositions(k, r) ? asSingle(positions) : positions;
        }
}

} // namespace kvarton::calc
