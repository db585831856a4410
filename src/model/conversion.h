#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvarton {

// Numbers are typed and shown with the decimal comma. A text is a number when it is an optional
// sign, digits, and optionally a comma followed by digits: "0,25", "-5", "12". A decimal point,
// blanks, letters, an empty text or a value too large for a double are not numbers.
std::optional<double> parseNumber(std::string_view text) noexcept;

// The text of a number as a list item shows it: decimal comma, no trailing zeros, no exponent.
// Doubles are read to 15 significant digits (0.35 → "0,35", 16.7 → "16,7", 14 → "14"); single-
// precision numbers by their shortest decimal text (shortestDecimal), as they were typed ("0,05"
// stored as a float shows "0,05" again, "100000,01" shows "100000,01").
std::string listItemText(double value);
std::string listItemText(float value);

// The value of a single-precision number as a person reads it: the double of the shortest decimal
// text that reads back as the same float (100000.0078125f → 100000.01). The float itself stays
// what the calculations use.
double shortestDecimal(float value) noexcept;

// The display patterns "0", "0.0" and "0.00": decimal comma, no digit grouping, rounding half away
// from zero of the value as a person reads it (taken to 15 significant digits first, so 0.15 shows
// "0,2" although its binary value lies just below the half). A value that rounds to zero never
// shows a minus sign. A value that is not finite shows "-".
enum class Pattern { Whole = 0, OneDecimal = 1, TwoDecimals = 2 };
std::string format(double value, Pattern pattern);

// The number a display pattern shows, as a double (2.5 → 3, -2.5 → -3, 2.675 → 2.68 with two
// decimals); not-finite values stay as they are.
double roundShown(double value, Pattern pattern);

// Single-precision storage: the value a 32-bit float holds after storing a double in it.
// Kept on purpose: the course's figures come from these values held as floats (DEVELOPERS.md).
inline float toSingle(double value) noexcept { return static_cast<float>(value); }
inline double throughSingle(double value) noexcept { return static_cast<double>(static_cast<float>(value)); }

// A currency value: a fixed-point number with four decimal places, as money is exchanged with the
// report and in the estimate's totals. Conversion from a double reads it to 15 significant digits
// and rounds to four decimals half to even; it fails for values that are not finite or lie outside
// ±922337203685477.5807.
class Currency final {
public:
    constexpr Currency() noexcept = default;
    static constexpr Currency fromUnits(std::int64_t tenThousandths) noexcept { return Currency(tenThousandths); }
    static std::optional<Currency> fromDouble(double value) noexcept;
    static constexpr Currency whole(std::int64_t roubles) noexcept { return Currency(roubles * 10000); }

    constexpr std::int64_t units() const noexcept { return units_; }
    double toDouble() const noexcept;
    // Whole number, rounded half away from zero, as pattern "0" shows it.
    std::string wholeText() const;
    // The amount exactly, as a learner types it: decimal comma, no trailing zeros, "0" for zero
    // (12.5 → "12,5", -0.0001 → "-0,0001").
    std::string decimalText() const;

    friend std::optional<Currency> add(Currency a, Currency b) noexcept;
    friend constexpr bool operator==(Currency, Currency) noexcept = default;

private:
    constexpr explicit Currency(std::int64_t units) noexcept
        : units_(units)
    {
    }
    std::int64_t units_ = 0;
};

} // namespace kvarton
