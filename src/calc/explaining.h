#pragma once

#include "numbers.h"

namespace kvarton::calc {

// The numbers an explanation runs the formulas on: each input, stored result and number of the
// course becomes an operand that carries its value (the one the calculation used) and the text
// the arithmetic writes it as; the formulas combine them into terms (term.h).
class Explaining final {
public:
    using Number = Term;

    Explaining(const InstitutionModel& model, const CalcResults& results, const StepOptions& options) noexcept;

    // An input as its step shows it.
    Term input(FieldRef r);
    // A regional normative, a number of the course.
    Term normative(StayRegime s, AgeGroup a, NormativePart p);
    // Another quantity, with the value the calculation gave it.
    Term quantity(QuantityRef q);
    static Term constant(ConstantRef c);
    static Term number(double v) { return Term(v); }
    static Term single(const Term& t) { return t.single(); }
    static Term ruled(double value, std::string_view reason, const Term& condition)
    {
        return Term::ruled(value, reason, condition);
    }
    // The number a figure shows, as another figure takes it: that figure as the operand.
    Term shown(const Term& t, Pattern pattern, QuantityRef figure);
    static Term rounded(const Term& t, Pattern pattern) { return t.replaced(roundShown(t.value(), pattern)); }
    static std::optional<Term> currencySum(std::initializer_list<Term> values);
    // The payroll accruals: 1,342 on step 15, none on step 16.
    Term accrual() const;

    const StepOptions& options() const noexcept { return reading_.options(); }
    const InstitutionModel& model() const noexcept { return reading_.model(); }
    Reading& reading() noexcept { return reading_; }

private:
    Reading reading_;
};

// The accrual factor the needs of a step are computed with: 1,342 on step 15, 1 on step 16.
double accrualFactorOf(const StepOptions& options) noexcept;

} // namespace kvarton::calc
