#pragma once

#include "screens.h"

#include <string>
#include <string_view>

namespace kvarton {

inline constexpr int kFirstStep = 1;
inline constexpr int kLastStep = 16;

struct StepInfo {
    Screen screen; // a step screen
    std::string_view title; // Label1 of the screen
};

const StepInfo& stepInfo(int step) noexcept;

// Back and Next name the step they lead to: "Шаг 0" and "Шаг 17" exist only as hidden captions.
std::string backCaption(int step);
std::string nextCaption(int step);

} // namespace kvarton
