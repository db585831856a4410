// Times one full run of the calculation steps 13, 14, 15 and 16 as the learner enters them, on the
// St Petersburg defaults held as the texts that committed steps leave, and what the explanations
// of the figures cost: asking a figure "как получено?" (its panel computed for the explanation and
// the figure explained) and unfolding one operand into its own explanation. Not a test: prints the
// average times.
#include "calc/explanation.h"
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

    // Every figure of step 15 asked, and each quantity its explanation names unfolded once.
    constexpr int kAsks = 200;
    const StepOptions options{.step = 15, .group = NormativeGroup::SeniorDay};
    double asking = 0;
    double unfolding = 0;
    int figures = 0;
    int unfolded = 0;
    for (int i = 0; i < kAsks; ++i) {
        for (const PlacedValue& v : valueLabels(ResultsPanel::NormativeTable)) {
            const auto asked = std::chrono::steady_clock::now();
            const Explainer explainer(m, options);
            const Explanation figure = explainer.figure(v.value->name);
            const auto explained = std::chrono::steady_clock::now();
            asking += std::chrono::duration<double, std::micro>(explained - asked).count();
            ++figures;
            for (const ExplanationLine& line : figure.lines)
                if (const auto* q = line.target ? std::get_if<QuantityRef>(&*line.target) : nullptr) {
                    const auto before = std::chrono::steady_clock::now();
                    shown += explainer.quantity(*q).lines.size() > 0 ? 0 : 1;
                    unfolding
                        += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - before).count();
                    ++unfolded;
                }
        }
    }
    std::printf("asking a figure: %.1f us (average of %d), unfolding one level: %.1f us (average of %d)\n",
        asking / figures, figures, unfolding / unfolded, unfolded);
    return shown == static_cast<std::size_t>(kRuns) * (10 + 27 + 33 + 38) ? 0 : 1;
}
