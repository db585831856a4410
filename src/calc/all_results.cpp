#include "all_results.h"

#include "steps.h"

namespace kvarton::calc {

AllResults allResults(InstitutionModel work) noexcept
{
    AllResults all;
    for (Method m : allOf<Method>())
        all.pupilHours[m] = enterStep13(work, m);
    for (Method m : allOf<Method>())
        for (StayRegime v : allOf<StayRegime>())
            all.incentives[m][v] = enterStep14(work, m, v);
    for (NormativeGroup g : allOf<NormativeGroup>())
        all.normativeTables[g] = enterStep15(work, g);
    all.estimate = enterStep16(work);
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
