#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kvarton {

// A subject of the federation with the cost level of its region relative to St Petersburg (1).
struct Region {
    std::string_view name;
    double coefficient;
};

// The 83 regions in the order of the region list.
std::span<const Region> regions() noexcept;

// The coefficient of the region whose name equals `name` exactly; nullopt when none does.
std::optional<double> regionCoefficient(std::string_view name) noexcept;

} // namespace kvarton
