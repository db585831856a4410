#include "steps.h"

#include "computation_failures.h"
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

// An error panel always says why: after a passed check, the causes the calculation met.
StepView withCauses(StepView view, const InstitutionModel& model, const StepOptions& options)
{
    if (view.showError && view.failures.empty())
        return errorPanel(computationFindings(model, options));
    return view;
}

// How every entry and option click computes: `run` computes into empty results from the inputs
// alone, so that nothing an earlier step or another road left behind can reach a figure, and builds
// the panel's texts from them. They replace the model's results only when the panel can be shown;
// the error panel leaves every earlier result in place.
template <typename Run>
StepView computeAfresh(InstitutionModel& model, const StepOptions& options, Run&& run) noexcept
{
    return guarded([&] {
        CalcResults results;
        results.checks = model.results.checks;
        StepView view = std::forward<Run>(run)(results);
        if (!view.showError)
            model.results = std::move(results);
        return withCauses(std::move(view), model, options);
    });
}

// The error panel of a failed input check, with what it found.
StepView failedCheck(const InstitutionModel& model) noexcept
{
    return guarded([&] { return errorPanel(inputCheckFindings(model)); });
}

} // namespace

StepView clickMethod13(InstitutionModel& model, Method method) noexcept
{
    return computeAfresh(model, {.step = 13, .method = method}, [&](CalcResults& results) {
        return calculatePupilHourCost(model, method, results) ? showPupilHourCost(model, results, method)
                                                              : errorPanel();
    });
}

StepView enterStep13(InstitutionModel& model, Method method) noexcept
{
    return runInputChecks(model) ? clickMethod13(model, method) : failedCheck(model);
}

StepView clickMethod14(InstitutionModel& model, Method method, StayRegime view) noexcept
{
    return computeAfresh(model, {.step = 14, .method = method, .view = view}, [&](CalcResults& results) {
        return computeIncentives(model, method, results) ? showIncentiveView(model, results, view, method)
                                                         : errorPanel();
    });
}

StepView enterStep14(InstitutionModel& model, Method method, StayRegime view) noexcept
{
    return runInputChecks(model) ? clickMethod14(model, method, view) : failedCheck(model);
}

StepView clickView14(InstitutionModel& model, Method method, StayRegime view) noexcept
{
    // The view shows what entering the step with it shows: the amounts are judged with the hours of
    // the method chosen, whichever option was clicked last.
    return clickMethod14(model, method, view);
}

StepView enterStep15(InstitutionModel& model, NormativeGroup group) noexcept
{
    if (!runInputChecks(model))
        return failedCheck(model);
    return computeAfresh(model, {.step = 15, .group = group}, [&](CalcResults& results) {
        return computeNeeds(model, PayrollAccrualRate, results) ? showNormativeTable(model, group, results)
                                                                : errorPanel();
    });
}

StepView clickGroup15(InstitutionModel& model, NormativeGroup group) noexcept
{
    // Nothing is recomputed: the needs are those the entry computed from the inputs, which cannot
    // change while the step is shown. The table writes only the needs it shows.
    return guarded([&] {
        CalcResults results = model.results;
        StepView view = showNormativeTable(model, group, results);
        if (!view.showError)
            model.results = std::move(results);
        return withCauses(std::move(view), model, {.step = 15, .group = group});
    });
}

StepView enterStep16(InstitutionModel& model) noexcept
{
    if (!runInputChecks(model))
        return failedCheck(model);
    return computeAfresh(model, {.step = 16}, [&](CalcResults& results) {
        return computeNeeds(model, 1, results) && computeEstimatePayrolls(model, results) ? showEstimate(model, results)
                                                                                          : errorPanel();
    });
}

StepView enterStep(InstitutionModel& model, const StepOptions& options) noexcept
{
    switch (options.step) {
    case 13:
        return enterStep13(model, options.method);
    case 14:
        return enterStep14(model, options.method, options.view);
    case 15:
        return enterStep15(model, options.group);
    default:
        return enterStep16(model);
    }
}

} // namespace kvarton::calc
