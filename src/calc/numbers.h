#pragma once

#include "number_reader.h"
#include "quantity.h"
#include "term.h"

#include "model/institution_model.h"

#include <array>
#include <bitset>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace kvarton::calc {

// The formulas of steps 13–16 are written once, as templates over a source of numbers: what an
// input, a stored result or a number of the course is worth, and how a rule sets a value. The
// calculation runs them on `Reading`, which gives doubles; an explanation runs the very same
// formulas on `Explaining` (explaining.h), which gives terms that write their arithmetic out with
// the learner's numbers. A formula takes another quantity by `quantity()`, never by computing it
// again, so that an explanation names it as an operand that unfolds in its turn.

template <typename Source>
using NumberOf = typename Source::Number;

// A currency value as the calculation holds it: exact to four decimals, and as a double.
struct Money {
    Currency exact;
    operator double() const noexcept { return exact.toDouble(); } // NOLINT: a number where one is due
};

inline double valueOf(double v) noexcept { return v; }
inline double valueOf(const Term& t) noexcept { return t.value(); }

template <typename N>
bool isZero(const N& v) noexcept
{
    return valueOf(v) == 0;
}

template <typename N>
bool isFinite(const N& v) noexcept
{
    return std::isfinite(valueOf(v));
}

// The numbers the calculation computes with: inputs read as numbers (an input that is no number
// reads as 0 and marks the calculation as not computable), results as the calculation stored them.
class Reading final {
public:
    using Number = double;

    // `accrualFactor`: what steps 15 and 16 multiply staff needs and payrolls by.
    Reading(const InstitutionModel& model, const CalcResults& results, const StepOptions& options,
        double accrualFactor = 1) noexcept
        : model_(model)
        , results_(results)
        , options_(options)
        , accrual_(accrualFactor)
    {
    }

    // Each input is read once: a formula may take it many times.
    double input(FieldRef r) noexcept
    {
        const std::size_t slot = slotOf(r);
        if (!read_.test(slot)) {
            inputs_[slot] = readNumber_(field(model_, r));
            read_.set(slot);
        }
        return inputs_[slot];
    }
    double normative(StayRegime s, AgeGroup a, NormativePart p) noexcept
    {
        return input(fields::regionalNormative(s, a, p));
    }
    // A stored result, or a figure computed from stored results.
    double quantity(QuantityRef q) noexcept;
    static double constant(ConstantRef c) noexcept;
    static double number(double v) noexcept { return v; }
    static double single(double v) noexcept { return asSingle(v); }
    static double ruled(double value, std::string_view, double) noexcept { return value; }
    // The number a figure shows, as another figure takes it.
    static double shown(double v, Pattern pattern, QuantityRef) noexcept { return roundShown(v, pattern); }
    // A figure that is the rounding of its formula.
    static double rounded(double v, Pattern pattern) noexcept { return roundShown(v, pattern); }
    // The values converted to currency (four decimals) and added; nullopt beyond the range of
    // currency.
    static std::optional<Money> currencySum(std::initializer_list<double> values) noexcept;
    double accrual() const noexcept { return accrual_; }

    const StepOptions& options() const noexcept { return options_; }
    const InstitutionModel& model() const noexcept { return model_; }
    const CalcResults& results() const noexcept { return results_; }
    bool allNumbers() const noexcept { return readNumber_.allNumbers(); }

private:
    const InstitutionModel& model_;
    const CalcResults& results_;
    StepOptions options_;
    double accrual_;
    NumberReader readNumber_;
    std::bitset<kFieldSlots> read_;
    std::array<double, kFieldSlots> inputs_;
    // The figures computed when shown, each once: they take each other as operands.
    std::vector<std::pair<QuantityRef, double>> figures_;
};

class Explaining;

// A quantity computed by its formula: nullopt where the formula gives no number (a coefficient
// shown "-" is a NaN, not nullopt; a total beyond the range of currency is nullopt).
std::optional<double> evaluate(Reading& s, QuantityRef q);
std::optional<Term> evaluate(Explaining& s, QuantityRef q);

// The value a quantity has in `results` where the calculation stores it; nullopt for a figure
// that is computed when shown.
std::optional<double> storedValue(const CalcResults& results, QuantityRef q) noexcept;

} // namespace kvarton::calc
