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
    // The other groups are clicked on the panel the entry showed; after the error panel there is
    // none to click.
    constexpr NormativeGroup first = NormativeGroup::JuniorShortTerm;
    all.normativeTables[first] = enterStep15(work, first);
    const bool shown = !all.normativeTables[first].showError;
    for (NormativeGroup g : allOf<NormativeGroup>())
        if (g != first)
            all.normativeTables[g] = shown ? clickGroup15(work, g) : errorPanel();
    all.estimate = enterStep16(work);
    return all;
}

} // namespace kvarton::calc
