#pragma once

#include "model/conversion.h"
#include "model/enum_array.h"
#include "model/model_value.h"

#include <cmath>
#include <limits>

namespace kvarton::calc {

// A value that cannot be computed (a division by a typed zero) is carried as an infinity or NaN and
// then shown as "-" or rejected; that takes IEEE arithmetic.
static_assert(std::numeric_limits<double>::is_iec559);

// Reads the inputs a calculation uses as numbers (empty is 0). An input that does not read as a
// number — typed text in a field that the lists normally fill — reads as 0 and marks the whole
// calculation as not computable: the step then shows its error panel and stores nothing.
class NumberReader final {
public:
    double operator()(const ModelValue& v) noexcept
    {
        const auto n = v.toNumber();
        if (!n)
            allNumbers_ = false;
        return n.value_or(0.0);
    }

    template <typename E, typename T>
    auto operator()(const EnumArray<E, T>& family) noexcept
    {
        EnumArray<E, decltype((*this)(family.at(0)))> numbers;
        for (std::size_t i = 0; i < kCount<E>; ++i)
            numbers.at(i) = (*this)(family.at(i));
        return numbers;
    }

    bool allNumbers() const noexcept { return allNumbers_; }

private:
    bool allNumbers_ = true;
};

// A result held in single precision: the value a 32-bit float keeps of it. Beyond the float range
// that is an infinity, stated here rather than left to an out-of-range conversion.
// Kept on purpose: the course's figures come from these results held as floats (DEVELOPERS.md).
inline double asSingle(double v) noexcept
{
    constexpr double kOverflow = 0x1.ffffffp127; // halfway between the largest float and 2^128
    if (std::abs(v) >= kOverflow)
        return std::copysign(std::numeric_limits<double>::infinity(), v);
    return throughSingle(v);
}

// Whether every number of the values (numbers or families of them) is finite.
inline bool allFinite(double v) noexcept { return std::isfinite(v); }

template <typename E, typename T>
bool allFinite(const EnumArray<E, T>& family) noexcept
{
    for (const T& v : family)
        if (!allFinite(v))
            return false;
    return true;
}

template <typename... T>
bool allFinite(const T&... values) noexcept requires(sizeof...(T) > 1)
{
    return (allFinite(values) && ...);
}

} // namespace kvarton::calc
