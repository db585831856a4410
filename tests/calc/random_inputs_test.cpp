#include "support.h"

#include "calc/steps.h"

#include "common/random_work.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

// A panel the learner may see: the error panel alone, with what to mend, or every value label of
// the panel's table, each once, with a plain text.
void expectSound(const StepView& v, ResultsPanel panel, std::uint32_t seed)
{
    if (v.showError) {
        EXPECT_TRUE(v.labels.empty()) << "seed " << seed;
        EXPECT_FALSE(v.failures.empty()) << "seed " << seed;
        return;
    }
    std::vector<std::string_view> written;
    for (const LabelText& l : v.labels)
        written.push_back(l.label);
    std::vector<std::string_view> named;
    for (const PlacedValue& p : valueLabels(panel))
        named.push_back(p.value->name);
    std::sort(written.begin(), written.end());
    std::sort(named.begin(), named.end());
    ASSERT_EQ(written, named) << "seed " << seed;
    for (const LabelText& l : v.labels) {
        EXPECT_FALSE(l.text.empty()) << l.label << " seed " << seed;
        for (const char* bad : {"nan", "inf", "e+", "e-", "NaN", "Inf"})
            EXPECT_EQ(l.text.find(bad), std::string::npos) << l.label << " \"" << l.text << "\" seed " << seed;
    }
}

long long whole(const std::map<std::string, std::string, std::less<>>& t, const char* label)
{
    return std::stoll(t.at(label));
}

} // namespace

// Every step and option on random list values and odd typed texts: no panel shows a non-number or
// is half filled or writes a label its table does not name, and the step-16 totals add the numbers
// shown.
TEST(RandomInputs, EveryStepShowsPlainTextsOrTheErrorPanel)
{
    constexpr std::uint32_t kFirstSeed = 20120901;
    constexpr int kRuns = 3000;
    int computed = 0;
    for (std::uint32_t seed = kFirstSeed; seed < kFirstSeed + kRuns; ++seed) {
        kvarton::test::RandomWork random(seed);
        InstitutionModel m = random.model();
        const Method method = random.method();
        const StayRegime view = random.view();

        expectSound(enterStep13(m, method), ResultsPanel::PupilHourCost, seed);
        expectSound(clickMethod13(m, random.method()), ResultsPanel::PupilHourCost, seed);
        expectSound(enterStep14(m, method, view), ResultsPanel::Incentives, seed);
        expectSound(clickView14(m, method, random.view()), ResultsPanel::Incentives, seed);
        expectSound(clickMethod14(m, random.method(), random.view()), ResultsPanel::Incentives, seed);
        const StepView step15 = enterStep15(m, random.group());
        expectSound(step15, ResultsPanel::NormativeTable, seed);
        for (int i = 0; i < 6; ++i)
            expectSound(clickGroup15(m, static_cast<NormativeGroup>(i)), ResultsPanel::NormativeTable, seed);
        const StepView step16 = enterStep16(m);
        expectSound(step16, ResultsPanel::Estimate, seed);
        if (!step16.showError) {
            ++computed;
            const auto t = texts(step16);
            EXPECT_EQ(whole(t, "Label600"),
                whole(t, "Label148") + whole(t, "Label160") + whole(t, "Label162") + whole(t, "Label163"))
                << "seed " << seed;
            EXPECT_EQ(whole(t, "Label601"),
                whole(t, "Label166") + whole(t, "Label178") + whole(t, "Label180") + whole(t, "Label181"))
                << "seed " << seed;
        }
    }
    // Most random institutions pass the check; the run must not be all error panels.
    EXPECT_GT(computed, kRuns / 4);
}
