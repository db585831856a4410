#pragma once

#include "model/enum_array.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kvarton {

// Every screen of the program. Its object name (screenName()) is how scenario files, tests and
// the accessibility tree address it.
enum class Screen {
    Start, // Form1
    DataList, // Form2: the data the learner needs at hand
    PersonalData, // Form3
    WorkingTime, // Form4: steps 1–6
    Staff2011, // Form5: steps 7–8
    Services, // Form6: steps 9–10
    Simulation, // Form7: steps 11–12
    Calculation, // Form8: steps 13–16
    Help, // Form9
    Report, // Form10
};
template <>
inline constexpr std::size_t kCount<Screen> = 10;

std::string_view screenName(Screen s) noexcept;
// The screen with that object name, if any.
std::optional<Screen> screenByName(std::string_view name) noexcept;

// The five screens that show the steps, in step order.
inline constexpr std::array<Screen, 5> kStepScreens{
    Screen::WorkingTime, Screen::Staff2011, Screen::Services, Screen::Simulation, Screen::Calculation};
constexpr bool isStepScreen(Screen s) noexcept { return s >= Screen::WorkingTime && s <= Screen::Calculation; }
// The place of a step screen among kStepScreens.
constexpr std::size_t stepScreenIndex(Screen s) noexcept { return ix(s) - ix(Screen::WorkingTime); }

} // namespace kvarton
