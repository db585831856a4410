#include "steps.h"

#include "estimate.h"
#include "incentives.h"
#include "input_checks.h"
#include "needs.h"
#include "normative_table.h"
#include "pupil_hour_cost.h"

#include <utility>

namespace kvarton::calc {

namespace {

// A failure to allocate a text shows the error panel rather than ending the program.
template <typename Show>
StepView guarded(Show&& show) noexcept
{
    try {
        return std::forward<Show>(show)();
    } catch (...) {
        return errorPanel();
    }
}

// How every step keeps its results: `run` computes into a copy of the results and builds the
// panel's texts from it; the copy replaces the model's results only when the panel can be shown,
// so that the error panel leaves every earlier result in place.
template <typename Run>
StepView keepWhenShown(InstitutionModel& model, Run&& run) noexcept
{
    return guarded([&] {
        CalcResults results = model.results;
        StepView view = std::forward<Run>(run)(results);
        if (!view.showError)
            model.results = std::move(results);
        return view;
    });
}

} // namespace

StepView clickMethod13(InstitutionModel& model, Method method) noexcept
{
    return keepWhenShown(model, [&](CalcResults& results) {
        return calculatePupilHourCost(model, method, results) ? showPupilHourCost(results, method) : errorPanel();
    });
}

StepView enterStep13(InstitutionModel& model, Method method) noexcept
{
    return runInputChecks(model) ? clickMethod13(model, method) : errorPanel();
}

StepView clickMethod14(InstitutionModel& model, Method method, StayRegime view) noexcept
{
    // The end of a computation tests the amounts with the hours just computed.
    return keepWhenShown(model, [&](CalcResults& results) {
        return computeIncentives(model, method, results) ? showIncentiveView(model, results, view, method)
                                                         : errorPanel();
    });
}

StepView enterStep14(InstitutionModel& model, Method method, StayRegime view) noexcept
{
    return runInputChecks(model) ? clickMethod14(model, method, view) : errorPanel();
}

StepView clickView14(const InstitutionModel& model, StayRegime view) noexcept
{
    return guarded([&] { return showIncentiveView(model, model.results, view, Method::ByRecommendations); });
}

StepView enterStep15(InstitutionModel& model, NormativeGroup group) noexcept
{
    if (!runInputChecks(model))
        return errorPanel();
    return keepWhenShown(model, [&](CalcResults& results) {
        return computeNeeds(model, PayrollAccrualRate, results) ? showNormativeTable(model, group, results)
                                                                : errorPanel();
    });
}

StepView clickGroup15(InstitutionModel& model, NormativeGroup group) noexcept
{
    // Nothing is recomputed; the table writes only the needs it shows.
    return keepWhenShown(model, [&](CalcResults& results) { return showNormativeTable(model, group, results); });
}

StepView enterStep16(InstitutionModel& model) noexcept
{
    if (!runInputChecks(model))
        return errorPanel();
    return keepWhenShown(model, [&](CalcResults& results) {
        return computeNeeds(model, 1, results) && computeEstimatePayrolls(model, results) ? showEstimate(model, results)
                                                                                          : errorPanel();
    });
}

} // namespace kvarton::calc
