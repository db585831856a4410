#include "conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kvarton {

namespace {

// A finite double as decimal digits: value = ±0.d1d2…dn × 10^pointPos, i.e. `pointPos` digits
// stand before the decimal point (pointPos may be ≤ 0 for values below 0.1).
struct Digits {
    bool negative = false;
    std::string digits; // significant digits, no leading zeros unless the value is 0
    int pointPos = 1;
};

Digits toDigits(double value, int significant)
{
    // to_chars, not printf: the digits never depend on the user's locale.
    char buf[64];
    const auto written
        = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, significant - 1);
    *written.ptr = '\0';
    Digits d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    d.pointPos = exponent + 1;
    return d;
}

// Integer and fraction digits of `d`, the fraction padded or cut to `decimals` digits, rounding the
// magnitude half up (that is, half away from zero).
struct Fixed {
    bool negative = false;
    std::string integer; // at least one digit
    std::string fraction; // exactly `decimals` digits
};

Fixed roundHalfAway(const Digits& d, int decimals)
{
    std::string all = d.digits;
    int point = d.pointPos;
    if (point < 1) { // prepend zeros so that at least one digit stands before the point
        all.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    const std::size_t keep = static_cast<std::size_t>(point + decimals);
    bool roundUp = false;
    if (all.size() > keep) {
        roundUp = all[keep] >= '5';
        all.resize(keep);
    } else {
        all.append(keep - all.size(), '0');
    }
    if (roundUp) {
        std::size_t i = all.size();
        while (i > 0) {
            --i;
            if (all[i] == '9') {
                all[i] = '0';
            } else {
                ++all[i];
                break;
            }
            if (i == 0) {
                all.insert(0, 1, '1');
                ++point;
            }
        }
    }
    Fixed f;
    f.negative = d.negative;
    f.integer = all.substr(0, static_cast<std::size_t>(point));
    f.fraction = all.substr(static_cast<std::size_t>(point));
    const auto firstNonZero = f.integer.find_first_not_of('0');
    f.integer = firstNonZero == std::string::npos ? "0" : f.integer.substr(firstNonZero);
    if (f.integer == "0" && f.fraction.find_first_not_of('0') == std::string::npos)
        f.negative = false; // never "-0"
    return f;
}

std::string join(const Fixed& f)
{
    std::string out;
    if (f.negative)
        out.push_back('-');
    out += f.integer;
    if (!f.fraction.empty()) {
        out.push_back(',');
        out += f.fraction;
    }
    return out;
}

std::string shortestText(double value, int significant)
{
    if (!std::isfinite(value))
        return "-";
    if (value == 0)
        return "0";
    const Digits d = toDigits(value, significant);
    // Enough decimals to hold every significant digit, then drop the trailing zeros.
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.pointPos);
    Fixed f = roundHalfAway(d, decimals);
    while (!f.fraction.empty() && f.fraction.back() == '0')
        f.fraction.pop_back();
    if (f.integer == "0" && f.fraction.empty())
        f.negative = false;
    return join(f);
}

} // namespace

std::optional<double> parseNumber(std::string_view text) noexcept
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const std::size_t intStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == intStart)
        return std::nullopt;
    if (i < text.size() && text[i] == ',') {
        const std::size_t fracStart = ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        if (i == fracStart)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    std::string ascii(text.substr(text[0] == '+' ? 1 : 0));
    for (char& c : ascii)
        if (c == ',')
            c = '.';
    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}


std::string listItemText(double value) { return shortestText(value, 15); }
std::string listItemText(float value) { return shortestText(shortestDecimal(value), 15); }

double shortestDecimal(float value) noexcept
{
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    double shortest = static_cast<double>(value);
    if (ec == std::errc())
        std::from_chars(text, end, shortest);
    return shortest;
}

std::string format(double value, Pattern pattern)
{
    if (!std::isfinite(value))
        return "-";
    return join(roundHalfAway(toDigits(value, 15), static_cast<int>(pattern)));
}

double roundShown(double value, Pattern pattern)
{
    if (!std::isfinite(value))
        return value;
    const Fixed f = roundHalfAway(toDigits(value, 15), static_cast<int>(pattern));
    std::string ascii = (f.negative ? "-" : "") + f.integer + (f.fraction.empty() ? "" : "." + f.fraction);
    double out = 0;
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), out);
    return out;
}

std::optional<Currency> Currency::fromDouble(double value) noexcept
{
    if (!std::isfinite(value))
        return std::nullopt;
    const Digits d = toDigits(value, 15);
    std::string all = d.digits;
    int point = d.pointPos;
    if (point < 1) {
        all.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    const std::size_t keep = static_cast<std::size_t>(point + 4);
    std::string dropped;
    if (all.size() > keep) {
        dropped = all.substr(keep);
        all.resize(keep);
    } else {
        all.append(keep - all.size(), '0');
    }
    std::uint64_t units = 0;
    constexpr std::uint64_t kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    for (char c : all) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (units > (kMax - digit) / 10)
            return std::nullopt;
        units = units * 10 + digit;
    }
    if (!dropped.empty()) { // round half to even
        const bool above
            = dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
        const bool tie = dropped[0] == '5' && !above;
        if (above || (tie && units % 2 == 1)) {
            if (units == kMax)
                return std::nullopt;
            ++units;
        }
    }
    const auto signedUnits = static_cast<std::int64_t>(units);
    return Currency(d.negative ? -signedUnits : signedUnits);
}

double Currency::toDouble() const noexcept { return static_cast<double>(units_) / 10000.0; }

std::string Currency::wholeText() const
{
    const bool negative = units_ < 0;
    // Magnitude in unsigned arithmetic, so that the most negative value cannot overflow.
    const std::uint64_t magnitude
        = negative ? 0 - static_cast<std::uint64_t>(units_) : static_cast<std::uint64_t>(units_);
    std::uint64_t whole = magnitude / 10000;
    if (magnitude % 10000 >= 5000)
        ++whole;
    if (whole == 0)
        return "0";
    return (negative ? "-" : "") + std::to_string(whole);
}

std::string Currency::decimalText() const
{
    const bool negative = units_ < 0;
    const std::uint64_t magnitude
        = negative ? 0 - static_cast<std::uint64_t>(units_) : static_cast<std::uint64_t>(units_);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text.append(",").append(fraction);
    return text;
}

std::optional<Currency> add(Currency a, Currency b) noexcept
{
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if ((b.units_ > 0 && a.units_ > kMax - b.units_) || (b.units_ < 0 && a.units_ < kMin - b.units_))
        return std::nullopt;
    return Currency(a.units_ + b.units_);
}

} // namespace kvarton
