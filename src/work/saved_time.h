#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvarton::work {

// The moment a work was written, with the offset of the learner's clock from UTC at that moment:
// the work then shows the time the learner's clock showed, wherever and whenever it is opened.
struct SavedTime {
    std::int64_t unixMs = 0; // milliseconds since 1970-01-01 00:00 UTC
    int offsetMinutes = 0; // the learner's clock minus UTC

    // Earlier and later by the moment itself; the offset only says how a clock showed it.
    friend constexpr bool operator==(SavedTime a, SavedTime b) noexcept { return a.unixMs == b.unixMs; }
    friend constexpr auto operator<=>(SavedTime a, SavedTime b) noexcept { return a.unixMs <=> b.unixMs; }
};

// The date and time on the learner's clock.
struct ClockTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};
ClockTime clockTime(SavedTime t) noexcept;

// ISO 8601 with the clock's offset, as the file holds it: "2026-03-14T10:22:05.123+03:00".
std::string isoText(SavedTime t);
// Reads isoText's form; the fraction of a second is optional (up to nine digits), "Z" stands for
// +00:00. Years 1970 to 9999, offsets within ±18 hours; nullopt for anything else.
std::optional<SavedTime> parseIsoText(std::string_view text) noexcept;

// As a learner reads it: "14.03.2026 в 10:22".
std::string russianText(SavedTime t);

} // namespace kvarton::work
