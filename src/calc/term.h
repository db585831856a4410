#pragma once

#include "quantity.h"

#include "model/conversion.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarton::calc {

// A number as an explanation writes it into a line of arithmetic: decimal comma, no digit grouping,
// ten significant digits (enough for a calculator to reproduce what follows from it), no trailing
// zeros; "-" for a value that is not finite.
std::string arithmeticNumber(double value);

// An operand of a formula with the value the formula took and the text it stands as in the
// arithmetic: an input as its step shows it, a quantity with its digits, a number of the course.
struct Operand {
    OperandTarget target;
    double value = 0;
    std::string text;
};

// Why a value is what it is beyond its arithmetic: a divisor of 0, an operand that cannot be
// computed, or a rule that sets the value (a cell without pupils, a coefficient without hours).
struct TermNote {
    enum class Kind { DivisionByZero, NotComputed, Rule };
    Kind kind = Kind::Rule;
    std::string words; // a rule's reason; the divisor's arithmetic when it is no single operand
    std::optional<OperandTarget> about; // the operand the note is about
    std::string arithmetic; // a rule's condition as a line of arithmetic ("0 + 0 = 0"), if any
    std::vector<OperandTarget> zeros; // a divisor's operands that are 0
};

// A number of a formula evaluated for an explanation: its value, computed exactly as the
// calculation computes it, the arithmetic that gave it written with the learner's numbers, the
// operands it was made of and what the arithmetic alone does not say. The formulas of the
// calculation are written once for doubles and for terms (numbers.h): the calculation runs them on
// doubles, an explanation on terms.
class Term final {
public:
    // An empty sum: 0, to which the terms of a sum over roles, cells or modes are added.
    Term() = default;
    // A plain number of a formula: 1, 100, the hours of a stay mode.
    Term(double number); // NOLINT: formulas mix numbers into their arithmetic
    // An operand; `text` is how the arithmetic writes it.
    static Term operand(OperandTarget target, double value, std::string text);
    // A factor of 1 that the arithmetic leaves out (the accruals where none are added).
    static Term omittedOne();
    // A value set by a rule, not by arithmetic: `reason` says why, `condition` is what the rule
    // looked at (its operands become the value's).
    static Term ruled(double value, std::string_view reason, const Term& condition);

    double value() const noexcept { return value_; }
    const std::string& text() const noexcept { return text_; }
    const std::vector<Operand>& operands() const noexcept { return operands_; }
    const std::vector<TermNote>& notes() const noexcept { return notes_; }
    // Whether the value comes from arithmetic worth writing out (not a single number or a rule).
    bool hasArithmetic() const noexcept;
    // Whether a rule set the value.
    bool isRuled() const noexcept { return ruled_; }
    // The value before it was kept in single precision, where it was.
    std::optional<double> beforeSingle() const noexcept { return beforeSingle_; }

    // The value as a 32-bit float keeps it, as the calculation stores it.
    Term single() const;
    // The number `value` in place of this term's arithmetic, written as `text` (a rounding); `why`,
    // when given, keeps the arithmetic that was replaced as a note. Keeps the operands and notes.
    Term replaced(double value, std::string text, std::string_view why = {}) const;
    // Another value for the same arithmetic: a currency conversion to four decimals.
    Term replaced(double value) const;

    friend Term operator+(const Term& a, const Term& b);
    friend Term operator-(const Term& a, const Term& b);
    friend Term operator*(const Term& a, const Term& b);
    friend Term operator/(const Term& a, const Term& b);
    // Adds a term of a sum over roles, cells or modes: terms that are 0 are left out of the
    // arithmetic (adding 0 changes no value), and a sum of zeros keeps the operands that made it.
    friend void accumulate(Term& total, const Term& term);
    // A term a sum leaves out (a mode without pupils): a sum that stays 0 names its operands.
    friend void leaveOut(Term& total, const Term& term);

private:
    enum class Level { Negative, Sum, Product, Atom };
    static Term combine(const Term& a, const Term& b, std::string_view sign, Level level, double value);
    Term frozen() const;
    void take(const Term& from);
    std::string in(Level outer, bool right, bool strict) const;

    double value_ = 0;
    std::string text_ = "0";
    Level level_ = Level::Atom;
    std::vector<Operand> operands_;
    std::vector<TermNote> notes_;
    std::optional<double> beforeSingle_;
    bool zeroSum_ = true; // only zeros added so far
    bool number_ = true; // a plain number or a single operand, no arithmetic
    bool omitted_ = false;
    bool ruled_ = false;
};

inline void accumulate(double& total, double term) noexcept { total += term; }
inline void leaveOut(double&, double) noexcept { }

} // namespace kvarton::calc
