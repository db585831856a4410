#include "input_checks.h"

#include "model/conversion.h"

#include <array>
#include <optional>

namespace kvarton::calc {

namespace {

using Pair = std::array<const ModelValue*, 2>; // payroll, positions

std::array<Pair, 16> payrollPositionPairs(const InstitutionModel& m) noexcept
{
    std::array<Pair, 16> pairs{};
    std::size_t n = 0;
    pairs[n++] = {&m.payroll2011PedTotal, &m.positions2011PedTotal};
    for (StaffRole r : allOf<StaffRole>())
        pairs[n++] = {&m.payroll2011[r], &m.positions2011[r]};
    pairs[n++] = {&m.payroll2011Admin, &m.positions2011Admin};
    pairs[n++] = {&m.payroll2011Medical, &m.positions2011Medical};
    pairs[n++] = {&m.payroll2011Service, &m.positions2011Service};
    return pairs;
}

// The direct hours of a kind of group must not all be 0; an hour that is no number fails too.
bool hasDirectHours(const InstitutionModel& m, GroupKind g) noexcept
{
    double sum = 0;
    for (StaffRole r : allOf<StaffRole>()) {
        const auto hours = m.directHours[g][r].toNumber();
        if (!hours)
            return false;
        sum += *hours;
    }
    return sum != 0;
}

// A payroll needs positions to be paid to. A payroll that is no number counts as not 0 (the
// numeric-pay check rejects it as well); positions that are no number fail the pair.
bool positionsCoverPayrolls(const InstitutionModel& m) noexcept
{
    bool ok = true;
    for (const auto& [payroll, positions] : payrollPositionPairs(m)) {
        const auto pay = payroll->toNumber();
        const auto count = positions->toNumber();
        if (!count || (*count == 0 && pay != 0.0))
            ok = false;
    }
    return ok;
}

// Compensating pupils are part of the total of their age group and mode, never more.
bool serviceCountsConsistent(const InstitutionModel& m) noexcept
{
    bool ok = true;
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode mode : allOf<StayMode>()) {
            const auto all = m.providedServices[a][GroupOrientation::GeneralDevelopment][mode].toNumber();
            const auto compensating = m.providedServices[a][GroupOrientation::Compensating][mode].toNumber();
            if (!all || !compensating || *all < *compensating)
                ok = false;
        }
    return ok;
}

// A typed amount must be a number with the decimal comma (empty is not), and one that money can
// hold: the estimate adds amounts as currency and the report writes them as currency.
bool isAmount(const ModelValue& v) noexcept
{
    return v.holdsNumber() && Currency::fromDouble(*v.toNumber()).has_value();
}

bool payIsNumeric(const InstitutionModel& m) noexcept
{
    bool ok = isAmount(m.payroll2011PedTotal) && isAmount(m.payroll2011Admin) && isAmount(m.payroll2011Medical)
        && isAmount(m.payroll2011Service);
    for (StaffRole r : allOf<StaffRole>())
        ok = isAmount(m.payroll2011[r]) && ok;
    // The salary of other positions is stored as a single number; a text left in it is no number.
    for (ServicePosition p : allOf<ServicePosition>())
        if (hasSalary(p))
            ok = isAmount(m.serviceSalary[p]) && ok;
    return ok;
}

double flag(bool passed) noexcept { return passed ? 1.0 : 0.0; }

} // namespace

bool runInputChecks(InstitutionModel& model) noexcept
{
    InputCheckResults& c = model.results.checks;
    for (GroupKind g : allOf<GroupKind>())
        c.checkDirectHours[g] = flag(hasDirectHours(model, g));
    c.checkPositionsForPayroll = flag(positionsCoverPayrolls(model));
    c.checkServiceCounts = flag(serviceCountsConsistent(model));
    c.checkNumericPay = flag(payIsNumeric(model));

    bool passed = c.checkPositionsForPayroll == 1 && c.checkServiceCounts == 1 && c.checkNumericPay == 1;
    for (double direct : c.checkDirectHours)
        passed = passed && direct == 1;
    return passed;
}

} // namespace kvarton::calc
