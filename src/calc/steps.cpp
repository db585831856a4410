#include "steps.h"

#include "estimate.h"
#include "incentives.h"
#include "input_checks.h"
#include "needs.h"
#include "normative_table.h"
#include "pupil_hour_cost.h"

namespace kvarton::calc {

namespace {

// The results are stored only once the panel's texts are built; a failure to allocate a text
// leaves the model as it was and shows the error panel rather than ending the program.
template <typename Compute>
StepView guarded(Compute&& compute) noexcept
{
    try {
        return compute();
    } catch (...) {
        return errorPanel();
    }
}

} // namespace

StepView clickMethod13(InstitutionModel& model, Method method) noexcept
{
    return guarded([&] {
        CalcResults results = model.results;
        if (!calculatePupilHourCost(model, method, results))
            return errorPanel();
        StepView view = showPupilHourCost(results, method);
        model.results = results;
        return view;
    });
}

StepView enterStep13(InstitutionModel& model, Method method) noexcept
{
    return runInputChecks(model) ? clickMethod13(model, method) : errorPanel();
}

StepView clickMethod14(InstitutionModel& model, Method method, StayRegime view) noexcept
{
    return guarded([&] {
        CalcResults results = model.results;
        if (!computeIncentives(model, method, results))
            return errorPanel();
        // The end of a computation tests the amounts with the hours just computed.
        StepView shown = showIncentiveView(model, results, view, method);
        if (!shown.showError)
            model.results = results;
        return shown;
    });
}

StepView enterStep14(InstitutionModel& model, Method method, StayRegime view) noexcept
{
    return runInputChecks(model) ? clickMethod14(model, method, view) : errorPanel();
}

StepView clickView14(const InstitutionModel& model, StayRegime view) noexcept
{
    return guarded([&] { return showIncentiveView(model, view, Method::ByRecommendations); });
}

StepView enterStep15(InstitutionModel& model, NormativeGroup group) noexcept
{
    if (!runInputChecks(model))
        return errorPanel();
    return guarded([&] {
        CalcResults results = model.results;
        if (!computeNeeds(model, PayrollAccrualRate, results))
            return errorPanel();
        StepView view = showNormativeTable(model, group, results);
        if (!view.showError)
            model.results = results;
        return view;
    });
}

StepView clickGroup15(InstitutionModel& model, NormativeGroup group) noexcept
{
    return guarded([&] { return showNormativeTable(model, group); });
}

StepView enterStep16(InstitutionModel& model) noexcept
{
    if (!runInputChecks(model))
        return errorPanel();
    return guarded([&] {
        CalcResults results = model.results;
        if (!computeNeeds(model, 1, results) || !computeEstimatePayrolls(model, results))
            return errorPanel();
        StepView view = showEstimate(model, results);
        if (!view.showError)
            model.results = results;
        return view;
    });
}

} // namespace kvarton::calc
