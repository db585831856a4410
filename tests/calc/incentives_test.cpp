#include "support.h"

#include "common/random_work.h"

#include "calc/incentives.h"
#include "calc/pupil_hour_cost.h"
#include "calc/steps.h"

#include <algorithm>
#include <cmath>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

const Labels kFunds{"Label2001", "Label2003", "Label2004", "Label120", "Label62"};
// Coefficient and amount of Teacher, MusicDirector, PhysicalInstructor, Psychologist, SpeechTherapist.
const Labels kRolesWithPositions{"Label2022", "Label2007", "Label102", "Label2008", "Label100", "Label2011", "Label95",
    "Label67", "Label93", "Label65"};
// The six roles without positions.
const Labels kRolesWithout{"Label101", "Label2009", "Label99", "Label2012", "Label98", "Label70", "Label97", "Label69",
    "Label96", "Label68", "Label94", "Label66"};
const Texts kZeroRoles{"0,00", "0", "0,00", "0", "0,00", "0", "0,00", "0", "0,00", "0", "0,00", "0"};

void noPupils(InstitutionModel& m, StayMode mode, AgeGroup a, O o)
{
    commitText(m, fields::providedServices(a, o, mode), "0");
}

bool showsNoNumberTrouble(const StepView& v)
{
    return std::none_of(v.labels.begin(), v.labels.end(), [](const LabelText& l) {
        return l.text.empty() || l.text.find("nan") != std::string::npos || l.text.find("inf") != std::string::npos;
    });
}

} // namespace

TEST(Step14, DefaultsByTheFirstMethodInBothViews)
{
    auto m = defaults();
    const StepView day = enterStep14(m, Method::ByRecommendations, Day);
    ASSERT_FALSE(day.showError);
    EXPECT_EQ(day.labels.size(), 27u);
    EXPECT_EQ(shown(day, kFunds), (Texts{"2538945", "396710", "198355", "2,88", "2,00"}));
    EXPECT_EQ(shown(day, kRolesWithPositions),
        (Texts{"1,10", "91932", "1,76", "97390", "1,76", "38956", "1,90", "81651", "2,25", "192760"}));
    EXPECT_EQ(shown(day, kRolesWithout), kZeroRoles);

    const IncentiveResults& r = m.results.incentives;
    EXPECT_NEAR(r.pupilHourSalaryFund, 2538944.53, 0.005);
    EXPECT_NEAR(r.roleCoefGeneral[Day][StaffRole::Teacher], 1.149634, 1e-6);
    // The teacher's compensating coefficient uses the norm 1200 and divides by (1 - i/100) twice.
    EXPECT_NEAR(r.roleCoefCompensating[Day][StaffRole::Teacher], 0.876250, 1e-6);
    EXPECT_NEAR(r.roleCoef[Day][StaffRole::Teacher], 1.100816, 1e-6);
    EXPECT_NEAR(r.roleRaiseAmount[Day][StaffRole::Teacher], 91932.02, 0.005);

    const StepView shortTerm = clickView14(m, Method::ByRecommendations, Short);
    EXPECT_EQ(shown(shortTerm, kFunds), (Texts{"81322", "12707", "6353", "-", "-"}));
    EXPECT_EQ(shown(shortTerm, kRolesWithPositions),
        (Texts{"1,11", "6921", "2,07", "7987", "1,55", "2198", "1,90", "5647", "2,15", "0"}));
    EXPECT_EQ(shown(shortTerm, kRolesWithout), kZeroRoles);

    // A view click recomputes nothing: back to the day view shows the same texts again.
    const IncentiveResults before = r;
    EXPECT_EQ(texts(clickView14(m, Method::ByRecommendations, Day)), texts(day));
    EXPECT_EQ(m.results.incentives, before);
}

TEST(Step14, DefaultsByTheSecondMethod)
{
    auto m = defaults();
    const StepView day = enterStep14(m, Method::ByAllNeeds, Day);
    const IncentiveResults& r = m.results.incentives;
    EXPECT_NEAR(*r.compensatingCoefTeacher[Day], 2.181818, 1e-6);
    EXPECT_NEAR(r.roleCoef[Day][StaffRole::Teacher], 1.199165, 1e-6);
    EXPECT_NEAR(r.roleRaiseAmount[Day][StaffRole::Teacher], 168981.02, 0.005);
    EXPECT_EQ(shown(day, {"Label120", "Label62", "Label2022", "Label2007"}), (Texts{"2,18", "2,00", "1,20", "168981"}));
    // The funds are those of the first method up to rounding.
    EXPECT_EQ(shown(day, {"Label2001", "Label2003", "Label2004"}), (Texts{"2538945", "396710", "198355"}));
    EXPECT_EQ(
        shown(clickMethod14(m, Method::ByRecommendations, Day), {"Label2022", "Label2007"}), (Texts{"1,10", "91932"}));
}

TEST(Step14, ARegimeWithoutPupilHours)
{
    auto m = defaults();
    noPupils(m, StayMode::Hours3, AgeGroup::Middle, O::GeneralDevelopment);
    ASSERT_FALSE(enterStep14(m, Method::ByRecommendations, Short).showError);
    const StepView v = clickView14(m, Method::ByRecommendations, Short);
    for (StaffRole r : {StaffRole::Teacher, StaffRole::Psychologist})
        EXPECT_EQ(m.results.incentives.roleCoef[Short][r], 1);
    EXPECT_EQ(shown(v, {"Label120", "Label62", "Label2022", "Label2007", "Label95", "Label67"}),
        (Texts{"-", "-", "1,00", "0", "1,00", "0"}));
}

TEST(Step14, WithoutCompensatingGroupsTheGeneralCoefficientStands)
{
    auto m = defaults();
    noPupils(m, StayMode::Hours10, AgeGroup::Middle, O::Compensating);
    // Compensating groups staffed by assistants only: their pupil-hour cost is 0, and a cell without
    // hours must not spoil the coefficient with its undefined one.
    for (StaffRole r : allOf<StaffRole>()) {
        const char* hours = r == StaffRole::TeacherAssistant ? "12" : "0";
        commitText(m, fields::directHours(GroupKind::Compensating, r), hours);
        commitText(m, fields::otherHours(GroupKind::Compensating, r), "0");
    }
    const StepView v = enterStep14(m, Method::ByRecommendations, Day);
    ASSERT_FALSE(v.showError);
    const IncentiveResults& r = m.results.incentives;
    EXPECT_EQ(m.results.pupilHours.pupilHourCost[Day][O::Compensating], 0);
    for (StaffRole role : {StaffRole::Teacher, StaffRole::MusicDirector, StaffRole::SpeechTherapist})
        EXPECT_DOUBLE_EQ(r.roleCoef[Day][role], r.roleCoefGeneral[Day][role]);
    EXPECT_EQ(shown(v, {"Label120", "Label62"}), (Texts{"-", "-"}));
    EXPECT_TRUE(showsNoNumberTrouble(v));
}

TEST(Step14, AllPayrollsZero)
{
    auto m = defaults();
    commitText(m, fields::payroll2011PedTotal(), "0");
    for (StaffRole r : allOf<StaffRole>())
        commitText(m, fields::payroll2011(r), "0");
    EXPECT_EQ(shown(enterStep13(m, Method::ByRecommendations), {"Label1001", "Label1010"}), (Texts{"0,0", "0,0"}));
    // Every coefficient divides by a pupil-hour cost of 0: none can be given.
    const StepView v = enterStep14(m, Method::ByRecommendations, Day);
    ASSERT_FALSE(v.showError);
    EXPECT_EQ(shown(v, {"Label2001", "Label120", "Label62", "Label2022", "Label2007", "Label101", "Label2009"}),
        (Texts{"0", "-", "-", "-", "-", "-", "0"}));
    EXPECT_TRUE(showsNoNumberTrouble(v));
    EXPECT_TRUE(showsNoNumberTrouble(clickView14(m, Method::ByRecommendations, Short)));
}

TEST(Step14, SecondMethodWithOnlyTheAssistantWorkingDirectlyInDayGroups)
{
    auto m = defaults();
    for (StaffRole r : allOf<StaffRole>()) {
        if (r != StaffRole::TeacherAssistant)
            commitText(m, fields::directHours(GroupKind::GeneralDay, r), "0");
        commitText(m, fields::otherHours(GroupKind::GeneralDay, r), "0");
    }
    const StepView v = enterStep14(m, Method::ByAllNeeds, Day);
    ASSERT_FALSE(v.showError);
    const IncentiveResults& r = m.results.incentives;
    // The day general cell has no hours; the coefficients are those of the compensating cell.
    EXPECT_DOUBLE_EQ(r.roleCoef[Day][StaffRole::Teacher], r.roleCoefCompensating[Day][StaffRole::Teacher]);
    EXPECT_TRUE(std::isfinite(r.roleRaiseAmount[Day][StaffRole::Teacher]));
    EXPECT_EQ(shown(v, {"Label120", "Label62"}), (Texts{"-", "2,00"}));
    EXPECT_TRUE(showsNoNumberTrouble(v));
    EXPECT_EQ(std::count_if(v.labels.begin(), v.labels.end(), [](const LabelText& l) { return l.text == "-"; }), 1);
}

// A view shows what entering the step with it shows, whatever was clicked before: the amounts are
// judged with the hours of the method selected. In these two random works the second method's hours
// and the hours of stay disagree on whether a role works in the groups of the view, so that judging
// by the hours of stay, as a click on a view once did, shows another amount ("-" or "0").
TEST(Step14, AViewClickShowsWhatEnteringWithItShows)
{
    for (const auto& [seed, view] : {std::pair{3408u, Short}, std::pair{9276u, Day}}) {
        InstitutionModel m = kvarton::test::RandomWork(seed).model();
        const StepView entered = enterStep14(m, Method::ByAllNeeds, view);
        ASSERT_FALSE(entered.showError) << seed;
        const StayRegime other = view == Day ? Short : Day;
        ASSERT_FALSE(enterStep14(m, Method::ByAllNeeds, other).showError) << seed;
        EXPECT_EQ(texts(clickView14(m, Method::ByAllNeeds, view)), texts(entered)) << seed;
        EXPECT_NE(texts(showIncentiveView(m, m.results, view, Method::ByRecommendations)), texts(entered)) << seed;
    }
}

TEST(Step14, OverwritesTheResultsOfStep13WithItsOwnMethod)
{
    auto m = defaults();
    ASSERT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    ASSERT_FALSE(enterStep14(m, Method::ByAllNeeds, Day).showError);
    EXPECT_EQ(shown(showPupilHourCost(m, m.results, Method::ByAllNeeds), {"Label1001"}), (Texts{"9,2"}));
    // Coming back to step 13 recomputes with its own method.
    EXPECT_EQ(shown(enterStep13(m, Method::ByRecommendations), {"Label1001"}), (Texts{"10,1"}));
}
