#include "pay_and_positions.h"

namespace kvarton::calc {

void computePayAndPositions(Reading& s, PupilHourResults& out) noexcept
{
    out.generalPayPerPositionPedTotal
        = payPerPositionOf(s, fields::payroll2011PedTotal(), fields::positions2011PedTotal());
    for (StaffRole r : pedagogicalRoles())
        out.generalPayPerPosition[r] = payPerPosition(s, r);
    for (GroupKind k : allOf<GroupKind>())
        for (StaffRole r : pedagogicalRoles())
            out.positionsPerGroupHour[k][r] = positionsPerGroupHour(s, k, r);
}

} // namespace kvarton::calc
