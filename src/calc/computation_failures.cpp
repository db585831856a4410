#include "computation_failures.h"

#include "estimate.h"
#include "input_checks.h"
#include "needs.h"

#include "model/conversion.h"
#include "model/field_captions.h"

#include <array>
#include <initializer_list>

namespace kvarton::calc {

namespace {

// The families of inputs each calculation step reads as numbers (steps 15 and 16 read the regional
// normatives apart, by group).
constexpr std::array kReadByEveryStep{Field::DirectStayHours, Field::DirectHours, Field::OtherStayHours,
    Field::OtherHours, Field::Payroll2011PedTotal, Field::Payroll2011, Field::Positions2011PedTotal,
    Field::Positions2011, Field::ProvidedServices, Field::MonthsPerYear, Field::DaysPerWeek, Field::GroupSize,
    Field::SpecialPartSharePed, Field::PedSalaryGrowthPercent2012};
constexpr std::array kReadByStep14{Field::CompensationSharePed, Field::AwardsSharePed};
constexpr std::array kReadByNeeds{Field::IncentiveShareNonPed, Field::DeputySalaryCoefficient,
    Field::AdminPayrollTeachingShare, Field::ServicePayrollTeachingShare, Field::MaterialCostsPercentOfPedPayroll,
    Field::MaterialCostsTeachingShare, Field::ServicePositions, Field::ServiceSalary};

template <std::size_t N>
bool among(Field f, const std::array<Field, N>& families) noexcept
{
    for (Field x : families)
        if (x == f)
            return true;
    return false;
}

// Whether the step under its options reads the field.
bool reads(const StepOptions& o, FieldRef r) noexcept
{
    const Field f = r.family();
    if (among(f, kReadByEveryStep))
        return true;
    if (o.step == 14)
        return among(f, kReadByStep14);
    if (o.step < 15)
        return false;
    if (among(f, kReadByNeeds))
        return true;
    if (o.step == 16)
        return f == Field::AssignedServices
            || (f == Field::RegionalNormative && r.index(2) == ix(NormativePart::Total));
    return f == Field::RegionalNormative && r.index(0) == ix(regimeOf(o.group))
        && r.index(1) == ix(ageGroupOf(o.group));
}

// The normatives come with the region, not from a step: named by what they are.
std::string nameOf(FieldRef r)
{
    if (r.family() != Field::RegionalNormative)
        return fieldName(r);
    static constexpr std::array<std::string_view, kCount<NormativePart>> kParts{
        "всего", "обучение, воспитание и развитие", "уход и присмотр"};
    const auto s = static_cast<StayRegime>(r.index(0));
    const auto a = static_cast<AgeGroup>(r.index(1));
    return "Норматив финансирования региона: " + std::string(texts(s).screen) + ", " + std::string(texts(a).calculation)
        + ", " + std::string(kParts[r.index(2)]);
}

class Causes final {
public:
    void add(std::string line) { lines_.push_back({std::move(line), std::nullopt}); }
    void add(FieldRef r, const std::string& what)
    {
        // The normatives come with the region: no step shows them.
        const bool onStep = r.family() != Field::RegionalNormative;
        lines_.push_back({nameOf(r) + " — " + what, onStep ? std::optional(r) : std::nullopt});
    }
    bool empty() const noexcept { return lines_.empty(); }
    std::vector<Failure> take() { return std::move(lines_); }

private:
    std::vector<Failure> lines_;
};

bool isZero(const ModelValue& v)
{
    const auto n = v.toNumber();
    return n && *n == 0;
}

// Inputs that figures of steps 15 and 16 are divided by.
void zeroDivisors(const InstitutionModel& m, Causes& causes)
{
    for (GroupKind g : allOf<GroupKind>())
        for (const FieldRef r : {fields::directStayHours(g), fields::otherStayHours(g)})
            if (isZero(field(m, r)))
                causes.add(r, "0 часов: на режим пребывания делится время работы каждой должности, делить не на что");
    const FieldRef positions = fields::positions2011PedTotal();
    if (isZero(field(m, positions)))
        causes.add(positions,
            "0 ставок: средняя зарплата, от которой считается оклад заведующего, не вычисляется (делить не на что)");
    for (GroupOrientation o : allOf<GroupOrientation>())
        for (AgeBand b : allOf<AgeBand>())
            if (const FieldRef r = fields::groupSize(o, b); isZero(field(m, r)))
                causes.add(r, "0 детей в группе: на наполняемость делятся часы ребенка, делить не на что");
    for (const FieldRef r : {fields::specialPartSharePed(), fields::incentiveShareNonPed()}) {
        const auto share = field(m, r).toNumber();
        if (share && *share == 100)
            causes.add(r, "100 %: без этой доли фонд оплаты труда равен нулю, а на него делится вся сумма");
    }
}

// Whether the needs of steps 15 and 16 and the payrolls of step 16 compute: then only their sums
// can have failed.
bool payrollsCompute(const InstitutionModel& m, int step) noexcept
{
    CalcResults results;
    const bool needs = computeNeeds(m, step == 15 ? PayrollAccrualRate : 1, results);
    return needs && (step == 15 || computeEstimatePayrolls(m, results));
}

} // namespace

std::vector<Failure> computationFindings(const InstitutionModel& model, const StepOptions& options)
{
    Causes causes;
    for (const FieldRef r : inputFields())
        if (reads(options, r) && !field(model, r).toNumber())
            causes.add(r, notANumberText(field(model, r)));
    for (NormativePart p : allOf<NormativePart>()) {
        for (StayRegime s : allOf<StayRegime>())
            for (AgeGroup a : allOf<AgeGroup>())
                if (const FieldRef r = fields::regionalNormative(s, a, p);
                    reads(options, r) && !field(model, r).toNumber())
                    causes.add(r, notANumberText(field(model, r)));
    }
    if (causes.empty() && options.step >= 15) {
        zeroDivisors(model, causes);
        if (causes.empty() && payrollsCompute(model, options.step))
            causes.add(stepName(options.step)
                + ": суммы слишком велики, чтобы их рассчитать и показать — проверьте фонд оплаты труда (Шаг 7), "
                  "ставки "
                  "(Шаг 8, Шаг 12) и оклады (Шаг 12)");
    }
    if (causes.empty())
        causes.add(stepName(options.step)
            + ": результаты шага не вычисляются из введенных данных — проверьте значения шагов 1–12");
    return causes.take();
}

} // namespace kvarton::calc
