#include "support.h"

#include "calc/pupil_hour_cost.h"
#include "calc/steps.h"

#include "model/conversion.h"

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

const Labels kAll{"Label1001", "Label1010", "Label1002", "Label1003", "Label1004", "Label1005", "Label1006",
    "Label1007", "Label1008", "Label1009"};

void setServices(InstitutionModel& m, AgeGroup a, O o, StayMode mode, const char* children)
{
    commitText(m, fields::providedServices(a, o, mode), children);
}

} // namespace

TEST(Step13, DefaultsByEitherMethod)
{
    auto m = defaults();
    EXPECT_EQ(shown(enterStep13(m, Method::ByRecommendations), kAll),
        (Texts{"10,1", "6,3", "2492", "2167", "650", "0", "199333", "43333", "13000", "0"}));
    const PupilHourResults& r = m.results.pupilHours;
    EXPECT_NEAR(r.generalPayPerPosition[StaffRole::Teacher], 189720.17, 0.005);
    EXPECT_NEAR(r.positionsPerGroupHour[GroupKind::GeneralDay][StaffRole::Teacher], 0.023148, 1e-6);
    const double payFund = r.payFundByPupilHours[Day][O::GeneralDevelopment];

    // The short-term general total of the second method is an exact half (14137.5) and shows 14138.
    EXPECT_EQ(shown(clickMethod13(m, Method::ByAllNeeds), kAll),
        (Texts{"9,2", "5,8", "2595", "2979", "707", "0", "207639", "59583", "14138", "0"}));
    // The methods differ in the unit of the pupil-hour, not in the money it pays.
    EXPECT_NEAR(r.payFundByPupilHours[Day][O::GeneralDevelopment], payFund, 1e-6 * payFund);
}

TEST(Step13, CellsWithoutPupils)
{
    auto m = defaults();
    ASSERT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    const PupilHourResults& r = m.results.pupilHours;
    // No short-term compensating pupils: the short-term cost is the general cell's alone.
    EXPECT_EQ(r.averageGroupSize[Short][O::Compensating], 20);
    EXPECT_DOUBLE_EQ(r.pupilHourCostShortTerm, r.pupilHourCost[Short][O::GeneralDevelopment]);

    // No pupils in day modes at all.
    setServices(m, AgeGroup::Middle, O::GeneralDevelopment, StayMode::Hours10, "0");
    setServices(m, AgeGroup::Middle, O::Compensating, StayMode::Hours10, "0");
    setServices(m, AgeGroup::Senior, O::GeneralDevelopment, StayMode::Hours14, "0");
    EXPECT_EQ(shown(enterStep13(m, Method::ByRecommendations), kAll),
        (Texts{"0,0", "6,3", "0", "0", "650", "0", "0", "0", "13000", "0"}));
}

TEST(Step13, CompensatingPupilsCountInBothCellsOfTheirRegime)
{
    auto m = defaults();
    ASSERT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    const PupilHourResults& r = m.results.pupilHours;
    EXPECT_EQ(r.pupilCount[Day][O::GeneralDevelopment], 80); // the 20 compensating pupils included
    EXPECT_EQ(r.pupilCount[Day][O::Compensating], 20);
    // The dearer compensating cell raises the weighted cost above the general one.
    EXPECT_GT(r.pupilHourCost[Day][O::Compensating], r.pupilHourCost[Day][O::GeneralDevelopment]);
    EXPECT_GT(r.pupilHourCostDay, r.pupilHourCost[Day][O::GeneralDevelopment]);
}

TEST(Step13, SinglePrecisionResultsAreStoredAsFloats)
{
    auto m = defaults();
    // Short-term compensating pupils of both group sizes: (8 + 2 × 10) / 3 pupils per group.
    setServices(m, AgeGroup::Junior, O::GeneralDevelopment, StayMode::Hours3, "1");
    setServices(m, AgeGroup::Junior, O::Compensating, StayMode::Hours3, "1");
    setServices(m, AgeGroup::Middle, O::Compensating, StayMode::Hours3, "2");
    commitText(m, fields::directHours(GroupKind::Compensating, StaffRole::Teacher), "9,95");
    commitText(m, fields::otherHours(GroupKind::GeneralShortTerm, StaffRole::SocialPedagogue), "0,35");
    ASSERT_FALSE(enterStep13(m, Method::ByAllNeeds).showError);
    const PupilHourResults& r = m.results.pupilHours;

    EXPECT_EQ(r.averageGroupSize[Short][O::Compensating], throughSingle(28.0 / 3));
    EXPECT_NE(r.averageGroupSize[Short][O::Compensating], 28.0 / 3);
    const double perHour = (9.95 + 1 + 0.5 + 1 + 4) / 12;
    EXPECT_EQ(r.directHoursPerGroupHour[GroupKind::Compensating], throughSingle(perHour));
    EXPECT_EQ(r.directHoursPerGroupHour[GroupKind::GeneralDay], (10 + 1 + 0.5 + 1) / 12.0); // double
    const double socialPedagogue
        = throughSingle(0.35 / 4 / 36) / r.directHoursPerGroupHour[GroupKind::GeneralShortTerm];
    EXPECT_EQ(r.positionsPerGroupHour[GroupKind::GeneralShortTerm][StaffRole::SocialPedagogue],
        throughSingle(socialPedagogue));
}

TEST(Step13, OnlyTheAssistantWorksDirectlyInDayGroups)
{
    auto m = defaults();
    for (StaffRole r : allOf<StaffRole>()) {
        if (r != StaffRole::TeacherAssistant)
            commitText(m, fields::directHours(GroupKind::GeneralDay, r), "0");
        commitText(m, fields::otherHours(GroupKind::GeneralDay, r), "0");
    }
    // The check counts the assistant, so it passes; the first method prices no day general work.
    ASSERT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    const PupilHourResults& r = m.results.pupilHours;
    EXPECT_EQ(r.pupilHourCost[Day][O::GeneralDevelopment], 0);

    // The second method divides by no direct work: the day general cell has no hours and pays
    // nothing, and the day cost is that of the compensating cell.
    const StepView second = clickMethod13(m, Method::ByAllNeeds);
    EXPECT_EQ(shown(second, {"Label1002", "Label1006"}), (Texts{"0", "0"}));
    EXPECT_EQ(r.payFundByPupilHours[Day][O::GeneralDevelopment], 0);
    EXPECT_EQ(texts(second).at("Label1001"), format(r.pupilHourCost[Day][O::Compensating], Pattern::OneDecimal));
    EXPECT_NE(texts(second).at("Label1001"), "-");
}

TEST(Step13, ACostThatCannotBeComputedShowsADash)
{
    auto m = defaults();
    commitText(m, fields::groupSize(O::GeneralDevelopment, AgeBand::ThreeAndOver), "0"); // typed, not listed
    const StepView v = enterStep13(m, Method::ByRecommendations);
    ASSERT_FALSE(v.showError);
    EXPECT_EQ(shown(v, kAll), (Texts{"-", "-", "2492", "2167", "650", "0", "199333", "43333", "13000", "0"}));
}

TEST(Step13, AnInputThatIsNoNumberShowsTheErrorPanelAndStoresNothing)
{
    auto m = defaults();
    ASSERT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    const CalcResults before = m.results;
    commitText(m, fields::monthsPerYear(), "десять");
    EXPECT_TRUE(enterStep13(m, Method::ByAllNeeds).showError);
    EXPECT_TRUE(clickMethod13(m, Method::ByAllNeeds).showError);
    EXPECT_EQ(m.results, before);
}
