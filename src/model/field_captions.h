#pragma once

#include "field_ref.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvarton {

// How the learner knows an input field: the step that shows it and the caption of its control on
// that step's screen, so that whatever points the learner to a field (the error panel of steps
// 13–16, the report screen) names it as the screen does. One table for the whole program; the
// screens show these very texts (a test of the screens holds every field to it).

// The caption as parts, each a text the screen shows at the control or over its box, from the
// outermost to the control's own: ("от 1,5 до 3-х лет (младшая группа)", "3 часа").
struct FieldPlace {
    int step = 0; // 1–12; 0 for a field no step shows (the regional normatives)
    std::vector<std::string_view> parts;
};
FieldPlace fieldPlace(FieldRef r);

// One part of the caption, as the screen shows it over or beside the control.
std::string_view fieldCaptionPart(FieldRef r, std::size_t part);

// The parts joined as a person reads them: by ", ", after a colon by a blank.
// "Воспитатель", "Бухгалтер, экономист, оклад на должность".
std::string fieldCaption(FieldRef r);
// How the program names a step to the learner: "Шаг 7", and several steps: "Шаги 13, 15".
std::string stepName(int step);
std::string stepsName(std::span<const int> steps);
// The step and the caption: "Шаг 7: Воспитатель".
std::string fieldName(FieldRef r);

// The head of the salary column of step 12.
inline constexpr std::string_view kSalaryHead = "оклад на должность";

} // namespace kvarton
