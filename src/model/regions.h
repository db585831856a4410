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

// The one rule by which a text names a region, wherever a region is looked up by name (the
// personal-data screen, a report read back, a saved work): the text is compared with the table's
// names after the blanks around it are dropped, without telling capital letters from small ones
// or «ё» from «е». Every other character counts, the dash "–" of two names among them, so that a
// text a spreadsheet left with a trailing blank still names its region and nothing else does.
// nullptr when the text names none of the 83 (an empty or blank text names none).
const Region* findRegion(std::string_view text) noexcept;

// The region's name as a work keeps it: the table's own spelling of the region `text` names; ""
// for an empty or blank text, which means that no region was chosen; nullopt for a text that
// names no region, which no work may keep, as its defaults could never be made again.
std::optional<std::string_view> keptRegionName(std::string_view text) noexcept;

// The coefficient of the region `name` names (findRegion); nullopt when it names none.
std::optional<double> regionCoefficient(std::string_view name) noexcept;

} // namespace kvarton
