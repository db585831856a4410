#include "total_rule.h"

namespace kvarton::calc {

namespace {

std::optional<Currency> typedCurrency(const std::string& text)
{
    const auto number = parseNumber(text);
    return number ? Currency::fromDouble(*number) : std::nullopt;
}

} // namespace

std::span<const TypedTotal> typedTotals()
{
    static const std::vector<TypedTotal> totals = [] {
        TypedTotal payroll{fields::payroll2011PedTotal(), {}};
        TypedTotal positions{fields::positions2011PedTotal(), {}};
        // The total is the pedagogical staff's: the course's own figures leave the teacher
        // assistants («Помощник воспитателя, няня») out of it, whatever its caption says.
        for (StaffRole r : allOf<StaffRole>())
            if (isPedagogical(r)) {
                payroll.parts.push_back(fields::payroll2011(r));
                positions.parts.push_back(fields::positions2011(r));
            }
        return std::vector<TypedTotal>{payroll, positions};
    }();
    return totals;
}

std::optional<TotalExcess> totalExcess(std::span<const std::string> parts, const std::string& total)
{
    const auto typedTotal = typedCurrency(total);
    if (!typedTotal)
        return std::nullopt;
    Currency sum;
    for (const std::string& part : parts) {
        const auto value = typedCurrency(part);
        if (!value)
            continue;
        const auto added = add(sum, *value);
        if (!added)
            return std::nullopt;
        sum = *added;
    }
    if (sum.units() <= typedTotal->units())
        return std::nullopt;
    return TotalExcess{sum, *typedTotal};
}

namespace {

std::string comparison(const TotalExcess& excess)
{
    return " по должностям " + excess.parts.decimalText() + " больше итога " + excess.total.decimalText();
}

} // namespace

std::string totalHint(const TotalExcess& excess) { return "Сумма" + comparison(excess); }

std::string totalNote(const TotalExcess& excess) { return "Проверьте итог «(всего)»: сумма" + comparison(excess); }

} // namespace kvarton::calc
