#pragma once

#include "quantity.h"
#include "step_view.h"

#include "model/institution_model.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarton::calc {

// "Как получено?": every figure of steps 13–16 explains itself. An explanation is made by the very
// formulas that compute the figure (numbers.h), run on the values the calculation used, so that it
// cannot drift from the figure; the screens and the report only display it.

// The kinds of the lines of an explanation, in the order they come.
enum class LineKind {
    Title, // the figure's caption and its value as the screen shows it, with the unit
    Context, // the options of the panel the figure is shown under
    What, // what the figure is
    Formula, // its formula in words
    Arithmetic, // the formula with the learner's numbers: "число знак число … = число"
    Why, // what the arithmetic does not say: a rule that set the value, a divisor of 0, or why there is none
    Operand, // an input, another quantity or a number of the course, with its value
};

struct ExplanationLine {
    LineKind kind = LineKind::Title;
    std::string text;
    // Operand lines, and lines that say why about an operand: an input (a link to its field), a
    // quantity (it unfolds into its own explanation) or a number of the course (the line says
    // where it comes from).
    std::optional<OperandTarget> target;
};

struct Explanation {
    std::vector<ExplanationLine> lines;
};

// A line as it is read: the arithmetic after "Расчет: ", the formula after "Формула: ", an
// operand after a dash.
std::string readLine(const ExplanationLine& line);
// The lines as they are read, one after another.
std::string explanationText(const Explanation& explanation);

// Where a figure of the panel stands elsewhere, given its value label ("ячейка B12"); nullopt to
// unfold it in place.
using FigurePlace = std::function<std::optional<std::string>(std::string_view label)>;

// The quantities that explanations of one panel unfolded so far, with where each was unfolded: a
// reader of many of them (the notes of a results sheet) finds each quantity unfolded once and named
// by that place in the others.
struct Unfolded {
    std::vector<std::pair<QuantityRef, std::string>> places;
};

// The explanations of one panel under its options: the panel is computed afresh on a copy of the
// learner's model, as entering the step with these options computes it, and every explanation
// asked of the explainer reads those results. Unfolding an operand reads them again: nothing is
// computed twice, nothing is built before it is asked for.
class Explainer final {
public:
    Explainer(const InstitutionModel& model, const StepOptions& options);

    const StepOptions& options() const noexcept { return options_; }
    // What the panel shows: the texts of its value labels, or the error panel with its failures.
    const StepView& view() const noexcept { return view_; }

    // The explanation of a value label of the panel: empty for a name the panel does not show.
    // Under the error panel every figure says why there is none, naming the inputs behind it.
    Explanation figure(std::string_view label) const;
    // The explanation of a quantity an operand line names.
    Explanation quantity(QuantityRef q) const;
    // A figure asked: a value label of the panel, or a quantity a chart beside it states.
    // A chart states its own figures in whole roubles, as the table beside it shows its own.
    Explanation asked(const FigureRef& f) const;
    // The value label of the panel that shows `q`, if one does.
    std::optional<std::string_view> labelOf(QuantityRef q) const;

    // The explanation of a figure as text, every quantity it names unfolded below its operand line
    // (indented by its depth), down to the inputs and the numbers of the course. The operand line
    // stands for the title of what unfolds below it; a kind of quantity says what it is and its
    // formula in words the first time it comes, and a quantity met again says "см. выше". A figure
    // of the panel that `place` finds elsewhere is named there instead of unfolded.
    // With `shared`, a quantity that an earlier text unfolded is named by the place given with that
    // text (`here`: "примечание к ячейке B12") instead of unfolded again. Quantities deeper than
    // `depth` levels are named with their values but not unfolded.
    std::string unfoldedText(const FigureRef& asked, const FigurePlace& place = {}, Unfolded* shared = nullptr,
        std::string_view here = {}, int depth = 1000) const;
    std::string unfoldedText(std::string_view label) const { return unfoldedText(FigureRef::ofLabel(label)); }

private:
    // A quantity titled with its value in its digits, or as `pattern` writes it (a chart's own figure).
    Explanation titled(QuantityRef q, std::optional<Pattern> pattern) const;
    Explanation render(QuantityRef q, std::string title, const PlacedValue* shown) const;
    struct Unfolding;
    void unfold(const Explanation& e, int depth, Unfolding& u) const;
    // The inputs of 0 that a divisor of 0 or a value that cannot be computed comes from, named
    // with their values.
    void inputsBehind(const OperandTarget& target, int depth, std::vector<std::string>& names) const;

    InstitutionModel work_;
    StepOptions options_;
    StepView view_;
    std::vector<std::pair<std::string_view, QuantityRef>> figures_;
    // The quantities explained so far: a panel's figures share most of what they are made of.
    mutable std::vector<std::pair<QuantityRef, Explanation>> explained_;
};

} // namespace kvarton::calc
