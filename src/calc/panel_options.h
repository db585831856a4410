#pragma once

#include "step_view.h"

#include <string>
#include <string_view>

namespace kvarton::calc {

// The option buttons of the results panels with the screen's captions: the calculation screen
// builds its buttons from them, and a results sheet heads its columns with the same words.

// Option1/Option2 on step 13, Option3/Option4 on step 14; both pairs read alike.
PanelText methodOption(ResultsPanel panel, Method method) noexcept;
// Option5/Option6 of step 14: the regime whose incentive payments are shown.
PanelText viewOption(StayRegime view) noexcept;
// Label27/Label29 of step 15, "Краткосрочные группы:" and "Дневные группы:", over their options.
PanelText regimeHead(StayRegime regime) noexcept;
// Option11…Option23 of step 15, each captioned with its age group.
PanelText groupOption(NormativeGroup group) noexcept;

// The regime's head without its colon: "Дневные группы".
std::string_view regimeName(StayRegime regime) noexcept;
// A group of step 15 named by its regime's head and its option: "Дневные группы, Средняя группа
// (от 3 до 5 лет)".
std::string groupName(NormativeGroup group);

} // namespace kvarton::calc
