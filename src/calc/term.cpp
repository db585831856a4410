#include "term.h"

#include "number_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kvarton::calc {

std::string arithmeticNumber(double value)
{
    if (!std::isfinite(value))
        return "-";
    if (value == 0)
        return "0";
    // to_chars, not printf: the digits never depend on the user's locale.
    char scientific[64];
    const auto sci = std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, 9);
    const char* e = std::find(scientific, sci.ptr, 'e');
    int exponent = 0;
    if (e != sci.ptr)
        std::from_chars(e + (e[1] == '+' ? 2 : 1), sci.ptr, exponent);
    const int decimals = std::clamp(9 - exponent, 0, 15);
    char fixed[400];
    const auto end = std::to_chars(fixed, fixed + sizeof fixed, value, std::chars_format::fixed, decimals);
    std::string text(fixed, end.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    std::replace(text.begin(), text.end(), '.', ',');
    return text == "-0" ? "0" : text;
}

namespace {

constexpr std::string_view kPlus = " + ";
constexpr std::string_view kMinus = " − ";
constexpr std::string_view kTimes = " × ";
constexpr std::string_view kDivided = " : ";

bool startsNegative(const std::string& text) { return !text.empty() && text.front() == '-'; }

} // namespace

Term::Term(double number)
    : value_(number)
    , text_(arithmeticNumber(number))
    , level_(startsNegative(text_) ? Level::Negative : Level::Atom)
    , zeroSum_(false)
{
}

Term Term::operand(OperandTarget target, double value, std::string text)
{
    Term t(value);
    t.text_ = std::move(text);
    t.level_ = startsNegative(t.text_) ? Level::Negative : Level::Atom;
    t.operands_.push_back({target, value, t.text_});
    return t;
}

Term Term::omittedOne()
{
    Term t(1.0);
    t.omitted_ = true;
    return t;
}

Term Term::ruled(double value, std::string_view reason, const Term& condition)
{
    Term t(value);
    t.take(condition);
    TermNote note{TermNote::Kind::Rule, std::string(reason), std::nullopt, {}, {}};
    if (condition.hasArithmetic())
        note.arithmetic = condition.text_ + " = " + arithmeticNumber(condition.value_);
    t.notes_.push_back(std::move(note));
    t.ruled_ = true;
    return t;
}

bool Term::hasArithmetic() const noexcept { return !number_; }

Term Term::single() const
{
    Term t = *this;
    t.value_ = asSingle(value_);
    if (hasArithmetic() && t.value_ != value_)
        t.beforeSingle_ = value_;
    return t;
}

Term Term::replaced(double value, std::string text, std::string_view why) const
{
    Term t = *this;
    if (!why.empty() && hasArithmetic())
        t.notes_.push_back(
            {TermNote::Kind::Rule, std::string(why), std::nullopt, text_ + " = " + arithmeticNumber(value_), {}});
    t.value_ = value;
    t.text_ = std::move(text);
    t.level_ = startsNegative(t.text_) ? Level::Negative : Level::Atom;
    t.number_ = true;
    t.zeroSum_ = false;
    t.beforeSingle_.reset();
    return t;
}

Term Term::replaced(double value) const
{
    Term t = *this;
    t.value_ = value;
    return t;
}

// A value kept in single precision inside a longer formula: the formula goes on with the stored
// number, and a note gives the arithmetic that led to it.
Term Term::frozen() const
{
    return replaced(value_, arithmeticNumber(value_), "хранится с одинарной точностью, как в расчетах курса");
}

void Term::take(const Term& from)
{
    for (const Operand& o : from.operands_)
        if (std::none_of(operands_.begin(), operands_.end(), [&](const Operand& x) { return x.target == o.target; }))
            operands_.push_back(o);
    for (const TermNote& n : from.notes_)
        if (std::none_of(notes_.begin(), notes_.end(), [&](const TermNote& x) {
                return x.kind == n.kind && x.words == n.words && x.about == n.about && x.arithmetic == n.arithmetic
                    && x.zeros == n.zeros;
            }))
            notes_.push_back(n);
}

std::string Term::in(Level outer, bool right, bool strict) const
{
    const bool negativeFirst = level_ == Level::Negative && !right && outer == Level::Sum;
    const bool wrap = (level_ < outer && !negativeFirst) || (right && strict && level_ == outer);
    return wrap ? "(" + text_ + ")" : text_;
}

Term Term::combine(const Term& left, const Term& right, std::string_view sign, Level level, double value)
{
    const Term a = left.beforeSingle_ ? left.frozen() : left;
    const Term b = right.beforeSingle_ ? right.frozen() : right;
    const bool strict = sign == kMinus || sign == kDivided;
    Term t;
    t.value_ = value;
    t.level_ = level;
    t.zeroSum_ = false;
    t.number_ = false;
    t.text_ = a.in(level, false, false);
    t.text_.append(sign).append(b.in(level, true, strict));
    t.operands_.clear();
    t.take(a);
    t.take(b);
    if (sign == kDivided && b.value_ == 0) {
        TermNote note{TermNote::Kind::DivisionByZero, {}, std::nullopt, {}, {}};
        if (b.operands_.size() == 1 && !b.hasArithmetic())
            note.about = b.operands_.front().target;
        else
            note.words = b.text_;
        for (const Operand& o : b.operands_)
            if (o.value == 0)
                note.zeros.push_back(o.target);
        t.notes_.push_back(std::move(note));
    }
    if (!std::isfinite(value))
        for (const Term* side : {&a, &b})
            if (!std::isfinite(side->value_) && side->operands_.size() == 1 && !side->hasArithmetic())
                t.notes_.push_back({TermNote::Kind::NotComputed, {}, side->operands_.front().target, {}, {}});
    return t;
}

Term operator+(const Term& a, const Term& b)
{
    return Term::combine(a, b, kPlus, Term::Level::Sum, a.value_ + b.value_);
}

Term operator-(const Term& a, const Term& b)
{
    return Term::combine(a, b, kMinus, Term::Level::Sum, a.value_ - b.value_);
}

Term operator*(const Term& a, const Term& b)
{
    if (a.omitted_)
        return b.replaced(a.value_ * b.value_);
    if (b.omitted_)
        return a.replaced(a.value_ * b.value_);
    return Term::combine(a, b, kTimes, Term::Level::Product, a.value_ * b.value_);
}

Term operator/(const Term& a, const Term& b)
{
    if (b.omitted_)
        return a.replaced(a.value_ / b.value_);
    return Term::combine(a, b, kDivided, Term::Level::Product, a.value_ / b.value_);
}

void leaveOut(Term& total, const Term& term)
{
    if (total.zeroSum_)
        total.take(term);
}

void accumulate(Term& total, const Term& term)
{
    const double value = total.value_ + term.value_;
    const bool termZero = term.value_ == 0;
    const bool totalZero = total.zeroSum_ || total.value_ == 0;
    if (termZero && totalZero) {
        total.take(term);
        total.value_ = value;
        total.text_ = "0";
        total.level_ = Term::Level::Atom;
        total.zeroSum_ = true;
        total.number_ = true;
    } else if (termZero) {
        total.value_ = value;
    } else if (totalZero) {
        total = term.replaced(value);
    } else {
        total = total + term;
    }
}

} // namespace kvarton::calc
