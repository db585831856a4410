#include "amount_rule.h"

#include "model/conversion.h"

#include <vector>

namespace kvarton::calc {

std::optional<AmountProblem> amountProblem(const ModelValue& value) noexcept
{
    const std::string* text = value.textIf();
    if (value.isEmpty() || (text && text->empty()))
        return AmountProblem::Empty;
    const auto number = value.toNumber();
    if (!number)
        return AmountProblem::NotANumber;
    if (!Currency::fromDouble(*number))
        return AmountProblem::TooLarge;
    return std::nullopt;
}

std::optional<AmountProblem> typedAmountProblem(FieldRef field, const std::string& text)
{
    return amountProblem(committedValue(field, text));
}

std::span<const FieldRef> checkedAmounts()
{
    static const std::vector<FieldRef> amounts = [] {
        std::vector<FieldRef> all;
        for (StaffRole r : allOf<StaffRole>())
            all.push_back(fields::payroll2011(r));
        all.insert(all.end(),
            {fields::payroll2011PedTotal(), fields::payroll2011Admin(), fields::payroll2011Medical(),
                fields::payroll2011Service()});
        for (ServicePosition p : allOf<ServicePosition>())
            if (hasSalary(p))
                all.push_back(fields::serviceSalary(p));
        return all;
    }();
    return amounts;
}

bool isCheckedAmount(FieldRef r) noexcept
{
    switch (r.family()) {
    case Field::Payroll2011PedTotal:
    case Field::Payroll2011:
    case Field::Payroll2011Admin:
    case Field::Payroll2011Medical:
    case Field::Payroll2011Service:
    case Field::ServiceSalary: // the deputies have none
        return true;
    default:
        return false;
    }
}

std::string_view amountHint(AmountProblem problem) noexcept
{
    if (problem == AmountProblem::TooLarge)
        return "Слишком большое число: введите сумму не больше 922337203685477";
    return "Введите число: цифры и запятая, например 1234567,89";
}

std::string amountNote(int count)
{
    const int lastTwo = count % 100;
    const int last = count % 10;
    const char* fields = "полей";
    if (last == 1 && lastTwo != 11)
        fields = "поле";
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        fields = "поля";
    return "Проверьте " + std::to_string(count) + " " + fields
        + ": расчет на шагах 13–16 примет только число, например 1234567,89";
}

} // namespace kvarton::calc
