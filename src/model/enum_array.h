#pragma once

#include <array>
#include <cstddef>

namespace kvarton {

// Number of members of an enumeration; specialised next to each enumeration.
template <typename E>
inline constexpr std::size_t kCount = 0;

template <typename E>
constexpr std::size_t ix(E e) noexcept
{
    return static_cast<std::size_t>(e);
}

// Every member of E in its fixed order, for range-for loops.
template <typename E>
constexpr std::array<E, kCount<E>> allOf() noexcept
{
    std::array<E, kCount<E>> members{};
    for (std::size_t i = 0; i < kCount<E>; ++i)
        members[i] = static_cast<E>(i);
    return members;
}

// A family of values indexed by the members of E, in the member order.
template <typename E, typename T>
struct EnumArray {
    std::array<T, kCount<E>> items{};

    constexpr T& operator[](E e) noexcept { return items[ix(e)]; }
    constexpr const T& operator[](E e) const noexcept { return items[ix(e)]; }
    constexpr T& at(std::size_t i) noexcept { return items[i]; }
    constexpr const T& at(std::size_t i) const noexcept { return items[i]; }
    static constexpr std::size_t size() noexcept { return kCount<E>; }
    constexpr auto begin() noexcept { return items.begin(); }
    constexpr auto end() noexcept { return items.end(); }
    constexpr auto begin() const noexcept { return items.begin(); }
    constexpr auto end() const noexcept { return items.end(); }
    friend bool operator==(const EnumArray&, const EnumArray&) = default;
};

} // namespace kvarton
