#include "support.h"

#include "calc/all_results.h"
#include "calc/steps.h"

#include "common/random_work.h"

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

// Every option's panel as the screen shows it on the road from step 13 to step 16, with the
// figures the calculations are known to give for the defaults.
TEST(AllResults, EveryOptionShowsWhatItsScreenShows)
{
    const AllResults all = allResults(defaults());
    EXPECT_EQ(shown(all.pupilHours[Method::ByRecommendations], {"Label1001", "Label1010", "Label1006"}),
        (Texts{"10,1", "6,3", "199333"}));
    EXPECT_EQ(shown(all.pupilHours[Method::ByAllNeeds], {"Label1001", "Label1010", "Label1006"}),
        (Texts{"9,2", "5,8", "207639"}));
    EXPECT_EQ(shown(all.incentives[Method::ByRecommendations][StayRegime::Day], {"Label2001", "Label120", "Label2007"}),
        (Texts{"2538945", "2,88", "91932"}));
    EXPECT_EQ(shown(all.incentives[Method::ByRecommendations][StayRegime::ShortTerm],
                  {"Label2001", "Label120", "Label2007", "Label65"}),
        (Texts{"81322", "-", "6921", "0"}));
    EXPECT_EQ(shown(all.incentives[Method::ByAllNeeds][StayRegime::Day], {"Label120", "Label2022", "Label2007"}),
        (Texts{"2,18", "1,20", "168981"}));
    EXPECT_EQ(shown(all.normativeTables[NormativeGroup::MiddleDay], {"Label76", "Label77", "Label72", "Label124"}),
        (Texts{"57142", "68604", "68345", "-21949"}));
    EXPECT_EQ(shown(all.estimate, {"Label148", "Label160", "Label600", "Label165", "Label183"}),
        (Texts{"3967101", "837507", "10137051", "14079974", "10310000"}));

    // Each option is what entering its step with that option shows.
    InstitutionModel m = defaults();
    ASSERT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    EXPECT_EQ(texts(all.incentives[Method::ByAllNeeds][StayRegime::ShortTerm]),
        texts(enterStep14(m, Method::ByAllNeeds, StayRegime::ShortTerm)));
    for (NormativeGroup g : allOf<NormativeGroup>())
        EXPECT_EQ(texts(all.normativeTables[g]), texts(enterStep15(m, g))) << static_cast<int>(g);
    EXPECT_EQ(texts(all.estimate), texts(enterStep16(m)));
}

// The figures follow from the inputs alone: a learner who goes from step 12 straight to step 16
// sees the head's salary the report holds (it once counted the smallest institution, as no pupil
// count was known yet); and the learner's model keeps its own results.
TEST(AllResults, FollowFromTheInputsAndLeaveTheModelAsItIs)
{
    InstitutionModel learner = defaults();
    const StepView seen = enterStep16(learner);
    const CalcResults kept = learner.results;
    const AllResults all = allResults(learner);
    EXPECT_EQ(learner.results, kept);
    EXPECT_EQ(texts(seen), texts(all.estimate));
    EXPECT_EQ(shown(all.estimate, {"Label160"}), (Texts{"837507"}));
    EXPECT_EQ(texts(allResults(learner).estimate), texts(all.estimate));
}

// A failed check shows the error panel for every option of every step; a group table that cannot
// be shown fails alone.
TEST(AllResults, AStepThatCannotBeShownIsTheErrorPanelForEachOption)
{
    InstitutionModel m = defaults();
    commitText(m, fields::providedServices(AgeGroup::Junior, GroupOrientation::Compensating, StayMode::Hours24), "1");
    const AllResults failed = allResults(m);
    for (const StepView& v : failed.pupilHours)
        EXPECT_TRUE(v.showError);
    for (const auto& byView : failed.incentives)
        for (const StepView& v : byView)
            EXPECT_TRUE(v.showError);
    for (const StepView& v : failed.normativeTables)
        EXPECT_TRUE(v.showError);
    EXPECT_TRUE(failed.estimate.showError);

    m = defaults();
    m.regionalNormative[StayRegime::Day][AgeGroup::Senior][NormativePart::Care] = ModelValue::text("много");
    const AllResults one = allResults(m);
    for (NormativeGroup g : allOf<NormativeGroup>())
        EXPECT_EQ(one.normativeTables[g].showError, g == NormativeGroup::SeniorDay) << static_cast<int>(g);
    EXPECT_FALSE(one.pupilHours[Method::ByAllNeeds].showError);
}
