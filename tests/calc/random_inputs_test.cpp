#include "support.h"

#include "calc/steps.h"

#include "model/list_items.h"

#include <array>
#include <cstdint>
#include <random>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

using O = GroupOrientation;

// Texts a learner may type into the payroll and salary fields, or into a list that accepts typing.
const std::array<std::string, 14> kOddTexts{"", " ", "abc", "1.5", "-0", "1e308", "=1+1", "12 000", "1,5", "-1000", "0",
    "99999999999999999999", std::string(320, '9'), "922337203685477"};

class RandomInputs final {
public:
    explicit RandomInputs(std::uint32_t seed)
        : rng_(seed)
    {
    }

    InstitutionModel model()
    {
        InstitutionModel m = defaults();
        for (GroupKind g : allOf<GroupKind>()) {
            list(m, ref(Field::DirectStayHours, g), ListKind::StayModeHours);
            list(m, ref(Field::OtherStayHours, g), ListKind::StayModeHours);
            for (StaffRole r : allOf<StaffRole>()) {
                mostlyZero(m, ref(Field::DirectHours, g, r), ListKind::RoleHours);
                mostlyZero(m, ref(Field::OtherHours, g, r), ListKind::RoleHours);
            }
        }
        staff(m, ref(Field::Payroll2011PedTotal), ref(Field::Positions2011PedTotal), 0.05);
        staff(m, ref(Field::Payroll2011Admin), ref(Field::Positions2011Admin));
        staff(m, ref(Field::Payroll2011Medical), ref(Field::Positions2011Medical));
        staff(m, ref(Field::Payroll2011Service), ref(Field::Positions2011Service));
        for (StaffRole r : allOf<StaffRole>())
            staff(m, ref(Field::Payroll2011, r), ref(Field::Positions2011, r));
        for (StayRegime s : allOf<StayRegime>())
            for (AgeGroup a : allOf<AgeGroup>())
                mostlyZero(m, ref(Field::AssignedServices, s, a), ListKind::Children);
        for (AgeGroup a : allOf<AgeGroup>())
            for (StayMode mode : allOf<StayMode>()) {
                // Compensating pupils are usually some of all pupils, now and then more.
                const auto all = ref(Field::ProvidedServices, a, O::GeneralDevelopment, mode);
                mostlyZero(m, all, ListKind::Children);
                const int total = listRow(ListKind::Children, field(m, all).displayText()).value_or(0);
                const int compensating = chance(0.002) ? total + 1 : pick(total + 1) * pick(2);
                commitText(m, ref(Field::ProvidedServices, a, O::Compensating, mode), std::to_string(compensating));
            }
        list(m, ref(Field::IncentiveShareNonPed), ListKind::Percent1To99);
        list(m, ref(Field::SpecialPartSharePed), ListKind::Percent1To99);
        list(m, ref(Field::CompensationSharePed), ListKind::Percent0To30);
        list(m, ref(Field::AwardsSharePed), ListKind::Percent0To30);
        list(m, ref(Field::DeputySalaryCoefficient), ListKind::Percent40To100);
        list(m, ref(Field::AdminPayrollTeachingShare), ListKind::Percent0To100);
        list(m, ref(Field::ServicePayrollTeachingShare), ListKind::Percent0To100);
        list(m, ref(Field::MaterialCostsPercentOfPedPayroll), ListKind::Percent0To20);
        list(m, ref(Field::MaterialCostsTeachingShare), ListKind::Percent0To100);
        list(m, ref(Field::PedSalaryGrowthPercent2012), ListKind::Percent0To50);
        list(m, ref(Field::MonthsPerYear), ListKind::Months);
        list(m, ref(Field::DaysPerWeek), ListKind::Days);
        for (O o : allOf<O>())
            for (AgeBand b : allOf<AgeBand>())
                list(m, ref(Field::GroupSize, o, b), ListKind::GroupSize);
        for (ServicePosition p : allOf<ServicePosition>()) {
            mostlyZero(m, ref(Field::ServicePositions, p), ListKind::Positions);
            if (hasSalary(p))
                amount(m, ref(Field::ServiceSalary, p));
        }
        return m;
    }

    NormativeGroup group() { return static_cast<NormativeGroup>(pick(6)); }
    Method method() { return pick(2) == 0 ? Method::ByRecommendations : Method::ByAllNeeds; }
    StayRegime view() { return pick(2) == 0 ? StayRegime::Day : StayRegime::ShortTerm; }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    const std::string& item(ListKind kind)
    {
        const auto& items = listItems(kind);
        return items[static_cast<std::size_t>(pick(static_cast<int>(items.size())))];
    }

    // A list item; rarely a typed text instead.
    void list(InstitutionModel& m, FieldRef f, ListKind kind)
    {
        commitText(m, f, chance(0.0005) ? kOddTexts[static_cast<std::size_t>(pick(kOddTexts.size()))] : item(kind));
    }
    void mostlyZero(InstitutionModel& m, FieldRef f, ListKind kind, double zeroShare = 0.6)
    {
        if (chance(zeroShare))
            commitText(m, f, "0");
        else
            list(m, f, kind);
    }
    // A typed amount: usually whole roubles, at times with kopecks, now and then an odd text.
    void amount(InstitutionModel& m, FieldRef f)
    {
        if (chance(0.004))
            commitText(m, f, kOddTexts[static_cast<std::size_t>(pick(kOddTexts.size()))]);
        else if (chance(0.2))
            commitText(m, f, "0");
        else
            commitText(m, f, std::to_string(pick(8'000'000)) + (chance(0.1) ? ",5" : ""));
    }

    // Positions of 2011 and their payroll, which is nearly always 0 without positions.
    void staff(InstitutionModel& m, FieldRef payroll, FieldRef positions, double zeroShare = 0.6)
    {
        mostlyZero(m, positions, ListKind::Positions, zeroShare);
        if (field(m, positions).toNumber() == 0.0 && !chance(0.03))
            commitText(m, payroll, "0");
        else
            amount(m, payroll);
    }

    std::mt19937 rng_;
};

// A panel the learner may see: the error panel alone, or every label with a plain text.
void expectSound(const StepView& v, std::size_t labelCount, std::uint32_t seed)
{
    if (v.showError) {
        EXPECT_TRUE(v.labels.empty()) << "seed " << seed;
        return;
    }
    ASSERT_EQ(v.labels.size(), labelCount) << "seed " << seed;
    EXPECT_EQ(texts(v).size(), labelCount) << "a label twice, seed " << seed;
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
// is half filled, and the step-16 totals add the numbers shown.
TEST(RandomInputs, EveryStepShowsPlainTextsOrTheErrorPanel)
{
    constexpr std::uint32_t kFirstSeed = 20120901;
    constexpr int kRuns = 3000;
    int computed = 0;
    for (std::uint32_t seed = kFirstSeed; seed < kFirstSeed + kRuns; ++seed) {
        RandomInputs random(seed);
        InstitutionModel m = random.model();
        const Method method = random.method();
        const StayRegime view = random.view();

        expectSound(enterStep13(m, method), 10, seed);
        expectSound(clickMethod13(m, random.method()), 10, seed);
        expectSound(enterStep14(m, method, view), 27, seed);
        expectSound(clickView14(m, random.view()), 27, seed);
        expectSound(clickMethod14(m, random.method(), random.view()), 27, seed);
        const StepView step15 = enterStep15(m, random.group());
        expectSound(step15, 33, seed);
        for (int i = 0; i < 6; ++i)
            expectSound(clickGroup15(m, static_cast<NormativeGroup>(i)), 33, seed);
        const StepView step16 = enterStep16(m);
        expectSound(step16, 38, seed);
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
