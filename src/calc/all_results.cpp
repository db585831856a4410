#include "all_results.h"

#include "steps.h"

namespace kvarton::calc {

AllResults allResults(InstitutionModel work) noexcept
{
    AllResults all;
    for (Method m : allOf<Method>())
        all.pupilHours[m] = enterStep(work, {.step = 13, .method = m});
    for (Method m : allOf<Method>())
        for (StayRegime v : allOf<StayRegime>())
            all.incentives[m][v] = enterStep(work, {.step = 14, .method = m, .view = v});
    for (NormativeGroup g : allOf<NormativeGroup>())
        all.normativeTables[g] = enterStep(work, {.step = 15, .group = g});
    all.estimate = enterStep(work, {.step = 16});
    return all;
}

const StepView& shownUnder(const AllResults& all, const StepOptions& options) noexcept
{
    switch (options.step) {
    case 13:
        return all.pupilHours[options.method];
    case 14:
        return all.incentives[options.method][options.view];
    case 15:
        return all.normativeTables[options.group];
    default:
        return all.estimate;
    }
}

} // namespace kvarton::calc
