// Times one full run of the calculation steps 13, 14, 15 and 16 as the learner enters them, on the
// St Petersburg defaults held as the texts that committed steps leave. Not a test: prints the
// average time of a run.
#include "calc/steps.h"

#include "model/defaults.h"

#include <chrono>
#include <cstdio>

using namespace kvarton;
using namespace kvarton::calc;

namespace {

// A field as the text of its control; single fields keep their number, as their commit does.
void asText(ModelValue& v)
{
    if (!v.isSingle())
        v = ModelValue::text(v.displayText());
}

template <typename E, typename T>
void asText(EnumArray<E, T>& family)
{
    for (T& v : family)
        asText(v);
}

template <typename... T>
void asTexts(T&... fields)
{
    (asText(fields), ...);
}

} // namespace

int main()
{
    InstitutionModel m;
    m.regionCoefficient = 1.0;
    resetToDefaults(m);
    asTexts(m.directStayHours, m.directHours, m.otherStayHours, m.otherHours, m.payroll2011PedTotal, m.payroll2011,
        m.payroll2011Admin, m.payroll2011Medical, m.payroll2011Service, m.positions2011PedTotal, m.positions2011,
        m.positions2011Admin, m.positions2011Medical, m.assignedServices, m.providedServices, m.incentiveShareNonPed,
        m.specialPartSharePed, m.compensationSharePed, m.awardsSharePed, m.deputySalaryCoefficient,
        m.adminPayrollTeachingShare, m.servicePayrollTeachingShare, m.materialCostsPercentOfPedPayroll,
        m.materialCostsTeachingShare, m.pedSalaryGrowthPercent2012, m.monthsPerYear, m.daysPerWeek, m.groupSize,
        m.servicePositions, m.serviceSalary);

    constexpr int kRuns = 20000;
    std::size_t shown = 0; // keeps the work observable
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRuns; ++i) {
        shown += enterStep13(m, Method::ByRecommendations).labels.size();
        shown += enterStep14(m, Method::ByRecommendations, StayRegime::Day).labels.size();
        shown += enterStep15(m, NormativeGroup::MiddleDay).labels.size();
        shown += enterStep16(m).labels.size();
    }
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("steps 13-16, one full run: %.1f us (average of %d runs)\n", elapsed.count() / kRuns, kRuns);
    return shown == static_cast<std::size_t>(kRuns) * (10 + 27 + 33 + 38) ? 0 : 1;
}
