#include "saved_time.h"

#include <chrono>
#include <cstdio>

namespace kvarton::work {

namespace {

namespace chr = std::chrono;

constexpr std::int64_t kMsPerMinute = 60'000;
constexpr std::int64_t kMsPerDay = 24 * 60 * kMsPerMinute;
constexpr int kMaxOffsetMinutes = 18 * 60;

// Reads exactly `count` digits at `pos`; nullopt when any is no digit.
std::optional<int> digits(std::string_view text, std::size_t pos, std::size_t count) noexcept
{
    if (pos + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool charAt(std::string_view text, std::size_t pos, char c) noexcept { return pos < text.size() && text[pos] == c; }

} // namespace

ClockTime clockTime(SavedTime t) noexcept
{
    const std::int64_t local = t.unixMs + std::int64_t{t.offsetMinutes} * kMsPerMinute;
    std::int64_t days = local / kMsPerDay;
    std::int64_t inDay = local % kMsPerDay;
    if (inDay < 0) {
        inDay += kMsPerDay;
        --days;
    }
    const chr::year_month_day date{chr::sys_days{chr::days{days}}};
    ClockTime c;
    c.year = static_cast<int>(date.year());
    c.month = static_cast<int>(static_cast<unsigned>(date.month()));
    c.day = static_cast<int>(static_cast<unsigned>(date.day()));
    c.hour = static_cast<int>(inDay / (60 * kMsPerMinute));
    c.minute = static_cast<int>(inDay / kMsPerMinute % 60);
    c.second = static_cast<int>(inDay / 1000 % 60);
    c.millisecond = static_cast<int>(inDay % 1000);
    return c;
}

std::string isoText(SavedTime t)
{
    const ClockTime c = clockTime(t);
    const int offset = t.offsetMinutes < 0 ? -t.offsetMinutes : t.offsetMinutes;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", c.year, c.month, c.day, c.hour,
        c.minute, c.second, c.millisecond, t.offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return text;
}

std::optional<SavedTime> parseIsoText(std::string_view text) noexcept
{
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || !charAt(text, 4, '-') || !charAt(text, 7, '-')
        || !charAt(text, 10, 'T') || !charAt(text, 13, ':') || !charAt(text, 16, ':'))
        return std::nullopt;
    const chr::year_month_day date{
        chr::year{*year}, chr::month{static_cast<unsigned>(*month)}, chr::day{static_cast<unsigned>(*day)}};
    if (*year < 1970 || !date.ok() || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;

    std::size_t pos = 19;
    int millisecond = 0;
    if (charAt(text, pos, '.')) {
        std::size_t end = ++pos;
        while (end < text.size() && end - pos < 10 && text[end] >= '0' && text[end] <= '9')
            ++end;
        if (end == pos || end - pos > 9)
            return std::nullopt;
        for (std::size_t i = pos; i < pos + 3; ++i)
            millisecond = millisecond * 10 + (i < end ? text[i] - '0' : 0);
        pos = end;
    }

    int offset = 0;
    if (charAt(text, pos, 'Z') && pos + 1 == text.size()) {
        offset = 0;
    } else if ((charAt(text, pos, '+') || charAt(text, pos, '-')) && pos + 6 == text.size()
        && charAt(text, pos + 3, ':')) {
        const auto hours = digits(text, pos + 1, 2);
        const auto minutes = digits(text, pos + 4, 2);
        if (!hours || !minutes || *minutes > 59)
            return std::nullopt;
        offset = *hours * 60 + *minutes;
        if (offset > kMaxOffsetMinutes)
            return std::nullopt;
        if (text[pos] == '-')
            offset = -offset;
    } else {
        return std::nullopt;
    }

    const std::int64_t days = chr::sys_days{date}.time_since_epoch().count();
    const std::int64_t local
        = days * kMsPerDay + ((std::int64_t{*hour} * 60 + *minute) * 60 + *second) * 1000 + millisecond;
    return SavedTime{local - std::int64_t{offset} * kMsPerMinute, offset};
}

std::string russianText(SavedTime t)
{
    const ClockTime c = clockTime(t);
    char text[40];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d в %02d:%02d", c.day, c.month, c.year, c.hour, c.minute);
    return text;
}

} // namespace kvarton::work
