#pragma once

#include <string>
#include <string_view>

namespace kvarton::report {

// The stem of a report's file name, which tells the teacher whose report it is before opening it:
// "Отчет Квартон — Иванова — МБДОУ «Солнышко» № 7" (the moment follows it, fresh_name.h). The
// surname and the institution are what the learner typed, made a name that Windows and Linux both
// take: characters no file name may hold (<>:"/\|?*, control characters) become blanks, runs of
// blanks one, no blank or dot at either end, each part cut at a character's boundary to a length
// that keeps the whole name well within what a folder path leaves. An empty part is left out.
std::string reportFileStem(std::string_view surname, std::string_view institution);

// What a part of a file name keeps at most, in characters.
inline constexpr std::size_t kFileNamePartLength = 60;

} // namespace kvarton::report
