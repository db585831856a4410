#pragma once

#include "panels.h"

#include "model/field_ref.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvarton::calc {

// The method of a pupil-hour: an hour of a pupil's stay, or an hour of direct pedagogical work
// received by the pupil. Option1/Option3 and Option2/Option4.
enum class Method { ByRecommendations, ByAllNeeds };

// The age group and regime of the step-15 table: Option11..Option13, Option21..Option23.
enum class NormativeGroup { JuniorShortTerm, MiddleShortTerm, SeniorShortTerm, JuniorDay, MiddleDay, SeniorDay };

constexpr AgeGroup ageGroupOf(NormativeGroup g) noexcept { return static_cast<AgeGroup>(static_cast<int>(g) % 3); }
constexpr StayRegime regimeOf(NormativeGroup g) noexcept
{
    return static_cast<int>(g) < 3 ? StayRegime::ShortTerm : StayRegime::Day;
}
// Short-term middle and senior groups have no care normative: their care needs are carried by the
// education rows.
constexpr bool isEducationOnly(NormativeGroup g) noexcept
{
    return g == NormativeGroup::MiddleShortTerm || g == NormativeGroup::SeniorShortTerm;
}

// A calculation step and the options of its panel: with the inputs, all that a figure depends on.
// Members a step has no option for keep their first value.
struct StepOptions {
    int step = 13; // 13–16
    Method method = Method::ByRecommendations; // steps 13 and 14
    StayRegime view = StayRegime::Day; // step 14
    NormativeGroup group = NormativeGroup::JuniorShortTerm; // step 15
};

} // namespace kvarton::calc

namespace kvarton {
template <>
inline constexpr std::size_t kCount<calc::Method> = 2;
template <>
inline constexpr std::size_t kCount<calc::NormativeGroup> = 6;
} // namespace kvarton

namespace kvarton::calc {

// The text of one value label, keyed by the label's object name ("Label1001") from the panel tables.
struct LabelText {
    std::string_view label;
    std::string text;
};

// What a calculation panel shows after an entry or a click: the error panel (Frame1) instead of
// the step's panel, or the texts of the panel's value labels. The screen only copies it.
struct StepView {
    bool showError = false;
    std::vector<LabelText> labels;
    // With the error panel after a failed input check: what it found, one line per input.
    std::vector<std::string> failures;
    // The input each line of `failures` names, where it names one on a step: the error panel makes
    // the line a link to its field.
    std::vector<std::optional<FieldRef>> failureFields;
};

// A line of the error panel with the input it names on a step, if it names one.
struct Failure {
    std::string text;
    std::optional<FieldRef> field;
};

// The error panel listing `failures`.
inline StepView errorPanel(std::vector<Failure> failures)
{
    StepView view{true, {}, {}, {}};
    for (Failure& f : failures) {
        view.failures.push_back(std::move(f.text));
        view.failureFields.push_back(f.field);
    }
    return view;
}

inline StepView errorPanel() noexcept { return StepView{true, {}, {}, {}}; }

// The text a view writes into the value label of that name; null when it writes none.
inline const std::string* textOf(const StepView& view, std::string_view label) noexcept
{
    for (const LabelText& l : view.labels)
        if (l.label == label)
            return &l.text;
    return nullptr;
}

// Writes a number into a value label by the label's display pattern, or a text the calculation
// chose instead of the number.
inline void put(StepView& view, const ValueLabel& label, double number)
{
    view.labels.push_back({label.name, format(number, label.pattern)});
}
inline void put(StepView& view, const ValueLabel& label, std::string text)
{
    view.labels.push_back({label.name, std::move(text)});
}

} // namespace kvarton::calc
