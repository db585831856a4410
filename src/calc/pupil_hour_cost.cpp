#include "pupil_hour_cost.h"

#include "norms.h"
#include "number_reader.h"
#include "pay_and_positions.h"

#include "model/conversion.h"

#include <array>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Services = EnumArray<AgeGroup, EnumArray<GroupOrientation, EnumArray<StayMode, double>>>;

// Annual hours from hours per working day, by the institution's working regime.
double perYear(double dailyHours, double months, double days) noexcept
{
    return dailyHours * months * kWeeksPerYear * days / kMonthsPerYear;
}

// C, second method: a position serves an hour of direct work received, not an hour of stay.
void perDirectHour(const InstitutionModel& in, NumberReader& read, PupilHourResults& out) noexcept
{
    for (GroupKind k : allOf<GroupKind>()) {
        double direct = 0;
        for (StaffRole r : pedagogicalRoles())
            direct += read(in.directHours[k][r]);
        const double perHour = direct / read(in.directStayHours[k]);
        out.directHoursPerGroupHour[k] = k == GroupKind::Compensating ? asSingle(perHour) : perHour;
        for (StaffRole r : pedagogicalRoles()) {
            const double positions = out.positionsPerGroupHour[k][r] / out.directHoursPerGroupHour[k];
            out.positionsPerGroupHour[k][r] = isSinglePositions(k, r) ? asSingle(positions) : positions;
        }
    }
}

// D, second method: the hours of stay weighted by the direct work per group-hour. A mode without
// pupils adds nothing, also where the weight cannot be computed.
void countStaffHours(const Services& services, double months, double days, PupilHourResults& out) noexcept
{
    for (StayRegime s : allOf<StayRegime>())
        for (O o : allOf<O>()) {
            const double perHour = out.directHoursPerGroupHour[kindOf(s, o)];
            double hours = 0;
            for (AgeGroup a : allOf<AgeGroup>())
                for (StayMode m : allOf<StayMode>())
                    if (belongsTo(m, s) && services[a][o][m] != 0)
                        hours += services[a][o][m] * perHour * info(m).hours;
            out.staffHoursNeed[s][o] = perYear(hours, months, days);
        }
}

// F: pupils per group over the cell; the general cells weight compensating pupils with the general
// group sizes.
double averageGroupSizeOf(
    const Services& services, const EnumArray<AgeBand, double>& sizes, StayRegime s, O o, double pupils) noexcept
{
    if (pupils == 0)
        return kEmptyCellGroupSize;
    double weighted = 0;
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode m : allOf<StayMode>())
            if (belongsTo(m, s))
                weighted += sizes[bandOf(a)] * services[a][o][m];
    return weighted / pupils;
}

// H: pay funds over hours of one regime; a regime without hours costs 0.
double weightedCost(const PupilHourResults& r, const PerCell<double>& hours, StayRegime s) noexcept
{
    const double total = hours[s][O::GeneralDevelopment] + hours[s][O::Compensating];
    if (total == 0)
        return 0;
    return (r.payFundByPupilHours[s][O::GeneralDevelopment] + r.payFundByPupilHours[s][O::Compensating]) / total;
}

} // namespace

void countPupilHours(const InstitutionModel& in, NumberReader& read, PupilHourResults& out) noexcept
{
    const Services services = read(in.providedServices);
    const double months = read(in.monthsPerYear);
    const double days = read(in.daysPerWeek);
    for (StayRegime s : allOf<StayRegime>())
        for (O o : allOf<O>()) {
            double hours = 0;
            double pupils = 0;
            for (AgeGroup a : allOf<AgeGroup>())
                for (StayMode m : allOf<StayMode>())
                    if (belongsTo(m, s)) {
                        hours += info(m).hours * services[a][o][m];
                        pupils += services[a][o][m];
                    }
            out.annualPupilHours[s][o] = perYear(hours, months, days);
            out.pupilCount[s][o] = pupils;
        }
}

const PerCell<double>& hoursBasis(const PupilHourResults& r, Method method) noexcept
{
    return method == Method::ByRecommendations ? r.annualPupilHours : r.staffHoursNeed;
}

bool calculatePupilHourCost(const InstitutionModel& in, Method method, CalcResults& results) noexcept
{
    PupilHourResults& out = results.pupilHours;
    NumberReader read;
    const Services services = read(in.providedServices);
    const double months = read(in.monthsPerYear);
    const double days = read(in.daysPerWeek);
    const auto groupSizes = read(in.groupSize);

    countPupilHours(in, read, out);
    computePayAndPositions(in, read, out);
    if (method == Method::ByAllNeeds) {
        perDirectHour(in, read, out);
        countStaffHours(services, months, days, out);
    }
    const PerCell<double>& hours = hoursBasis(out, method);

    for (StayRegime s : allOf<StayRegime>())
        for (O o : allOf<O>()) {
            const double pupils = out.pupilCount[s][o];
            out.hoursPerPupil[s][o] = pupils == 0 ? 0 : hours[s][o] / pupils;
            const double size = averageGroupSizeOf(services, groupSizes[o], s, o, pupils);
            out.averageGroupSize[s][o] = s == StayRegime::ShortTerm && o == O::Compensating ? asSingle(size) : size;

            const GroupKind k = kindOf(s, o);
            double cost = 0;
            for (StaffRole r : pedagogicalRoles())
                cost += out.generalPayPerPosition[r] * out.positionsPerGroupHour[k][r] / out.averageGroupSize[s][o]
                    / kWeeksPerYear;
            out.pupilHourCost[s][o] = cost;
            // A cell without hours pays nothing, even where its cost cannot be computed.
            out.payFundByPupilHours[s][o] = hours[s][o] == 0 ? 0 : cost * hours[s][o];
        }
    out.pupilHourCostDay = weightedCost(out, hours, StayRegime::Day);
    out.pupilHourCostShortTerm = weightedCost(out, hours, StayRegime::ShortTerm);
    return read.allNumbers();
}

StepView showPupilHourCost(const CalcResults& results, Method method)
{
    const PupilHourResults& r = results.pupilHours;
    const PerCell<double>& hours = hoursBasis(r, method);
    struct CellLines {
        StayRegime regime;
        O orientation;
        PupilHourLine perPupil;
        PupilHourLine total;
    };
    static constexpr std::array<CellLines, 4> kCells{{
        {StayRegime::Day, O::GeneralDevelopment, PupilHourLine::HoursPerPupilDay, PupilHourLine::HoursDay},
        {StayRegime::Day, O::Compensating, PupilHourLine::HoursPerPupilDayCompensating,
            PupilHourLine::HoursDayCompensating},
        {StayRegime::ShortTerm, O::GeneralDevelopment, PupilHourLine::HoursPerPupilShortTerm,
            PupilHourLine::HoursShortTerm},
        {StayRegime::ShortTerm, O::Compensating, PupilHourLine::HoursPerPupilShortTermCompensating,
            PupilHourLine::HoursShortTermCompensating},
    }};

    StepView view;
    view.labels.reserve(valueLabelCount(ResultsPanel::PupilHourCost));
    put(view, value(line(PupilHourLine::CostDay)), r.pupilHourCostDay);
    put(view, value(line(PupilHourLine::CostShortTerm)), r.pupilHourCostShortTerm);
    for (const CellLines& c : kCells)
        put(view, value(line(c.perPupil)), r.hoursPerPupil[c.regime][c.orientation]);
    for (const CellLines& c : kCells)
        put(view, value(line(c.total)), hours[c.regime][c.orientation]);
    return view;
}

} // namespace kvarton::calc
