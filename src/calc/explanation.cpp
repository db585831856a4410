#include "explanation.h"

#include "explaining.h"
#include "panel_options.h"
#include "quantities.h"
#include "steps.h"

#include "model/field_captions.h"

#include <algorithm>
#include <cmath>

namespace kvarton::calc {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' '))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == ':' || text.back() == '-'))
        text.remove_suffix(1);
    return text;
}

// The formula in words and the reasons begin with a small letter; a line of their own begins with
// a capital one. The texts are Russian: the first letter is Cyrillic or Latin.
std::string capitalised(std::string_view text)
{
    std::string s(text);
    if (s.size() >= 2 && static_cast<unsigned char>(s[0]) == 0xD0) {
        auto& second = reinterpret_cast<unsigned char&>(s[1]);
        if (second >= 0xB0 && second <= 0xBF)
            second = static_cast<unsigned char>(second - 0x20); // а–п
    } else if (s.size() >= 2 && static_cast<unsigned char>(s[0]) == 0xD1) {
        auto& second = reinterpret_cast<unsigned char&>(s[1]);
        if (second >= 0x80 && second <= 0x8F) { // р–я
            s[0] = static_cast<char>(0xD0);
            second = static_cast<unsigned char>(second + 0x20);
        }
    } else if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') {
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    }
    return s;
}

// The line a part stands under: the nearest line above it that is not a part.
const PanelLine& parentOf(const Panel& p, const PanelLine& line)
{
    const PanelLine* above = &line;
    while (above != p.lines.data() && (above->indented || trimmed(above->caption.text).starts_with("В том числе")))
        --above;
    return *above;
}

// The caption a figure's first line gives it: the screen's caption of its line, with the line it is
// a part of, the heading it stands under and the head of its column where the screen has them.
std::string figureCaption(const PlacedValue& placed)
{
    const Panel& p = panel(placed.panel);
    const PanelLine& line = *placed.line;
    std::string caption(trimmed(line.caption.text));
    if (caption.starts_with("В том числе")) {
        caption = std::string(trimmed(parentOf(p, line).caption.text)) + ", в"
            + caption.substr(std::string_view("В").size());
    } else if (line.indented) {
        constexpr std::string_view kPartOf = "в том числе: ";
        if (caption.starts_with(kPartOf))
            caption.erase(0, kPartOf.size());
        caption = std::string(trimmed(parentOf(p, line).caption.text)) + ": " + caption;
    }
    if (!line.heading.text.empty())
        caption = std::string(trimmed(line.heading.text)) + ": " + caption;
    if (const std::string_view head = placed.columnHead(); !head.empty())
        caption += ", " + std::string(head);
    else if (placed.panel == ResultsPanel::Incentives && placed.column == ix(RoleColumn::Amount))
        caption += ", сумма повышения";
    return caption;
}

// How deep the inputs behind a divisor of 0 are looked for, and how many are named: where more
// inputs of 0 stand behind it (a sum of many cells), unfolding the divisor shows them.
constexpr int kDepthBehind = 6;
constexpr std::size_t kInputsNamed = 3;

std::string joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& p : parts)
        text.append(text.empty() ? "" : "; ").append(p);
    return text;
}

std::string withUnit(std::string text, std::string_view unit)
{
    if (!trimmed(unit).empty())
        text.append(" ").append(trimmed(unit));
    return text;
}

// The options a figure is shown under, as the panel's buttons name them.
std::string contextOf(const StepOptions& o)
{
    const ResultsPanel p = panelOfStep(o.step);
    switch (p) {
    case ResultsPanel::PupilHourCost:
        return "Показано при выборе: " + std::string(methodOption(p, o.method).text) + ".";
    case ResultsPanel::Incentives:
        return "Показано при выборе: " + std::string(methodOption(p, o.method).text) + ", "
            + std::string(viewOption(o.view).text) + ".";
    case ResultsPanel::NormativeTable:
        return "Показано для группы: " + groupName(o.group) + ".";
    case ResultsPanel::Estimate:
        break;
    }
    return {};
}

} // namespace

std::string readLine(const ExplanationLine& line)
{
    switch (line.kind) {
    case LineKind::Formula:
        return "Формула: " + line.text;
    case LineKind::Arithmetic:
        return "Расчет: " + line.text;
    case LineKind::Operand:
        return "— " + line.text;
    default:
        return line.text;
    }
}

std::string explanationText(const Explanation& explanation)
{
    std::string text;
    for (const ExplanationLine& line : explanation.lines)
        text.append(readLine(line)).append("\n");
    return text;
}

Explainer::Explainer(const InstitutionModel& model, const StepOptions& options)
    : work_(model)
    , options_(options)
    , view_(enterStep(work_, options))
{
    for (const PlacedValue& v : valueLabels(panelOfStep(options_.step)))
        figures_.emplace_back(v.value->name, figureQuantity(v, options_));
}

std::optional<std::string_view> Explainer::labelOf(QuantityRef q) const
{
    for (const auto& [label, figure] : figures_)
        if (figure == q)
            return label;
    return std::nullopt;
}

Explanation Explainer::figure(std::string_view label) const
{
    const auto placed = findValueLabel(label);
    if (!placed || placed->panel != panelOfStep(options_.step))
        return {};
    if (view_.showError) {
        Explanation e;
        e.lines.push_back({LineKind::Title, figureCaption(*placed) + " — не рассчитано", {}});
        e.lines.push_back(
            {LineKind::Why, stepName(options_.step) + " показывает панель ошибок вместо результатов. Причины:", {}});
        for (std::size_t i = 0; i < view_.failures.size(); ++i)
            e.lines.push_back({LineKind::Why, view_.failures[i],
                i < view_.failureFields.size() && view_.failureFields[i]
                    ? std::optional<OperandTarget>(*view_.failureFields[i])
                    : std::nullopt});
        return e;
    }
    const std::string* shown = textOf(view_, label);
    return render(figureQuantity(*placed, options_),
        withUnit(figureCaption(*placed) + " — " + (shown ? *shown : std::string()), placed->value->unit.text),
        &*placed);
}

Explanation Explainer::quantity(QuantityRef q) const
{
    for (const auto& [done, explanation] : explained_)
        if (done == q)
            return explanation;
    Explanation e = titled(q, std::nullopt);
    explained_.emplace_back(q, e);
    return e;
}

Explanation Explainer::asked(const FigureRef& f) const
{
    return f.isLabel() ? figure(f.label) : titled(f.quantity, Pattern::Whole);
}

Explanation Explainer::titled(QuantityRef q, std::optional<Pattern> pattern) const
{
    const double value = Reading(work_, work_.results, options_, accrualFactorOf(options_)).quantity(q);
    const std::string shown = !std::isfinite(value) ? std::string("не вычисляется")
        : pattern                                   ? format(value, *pattern)
                                                    : arithmeticNumber(value);
    return render(q, withUnit(quantityName(q, options_) + " — " + shown, wordsOf(q.kind).unit), nullptr);
}

Explanation Explainer::render(QuantityRef q, std::string title, const PlacedValue* shown) const
{
    Explaining s(work_, work_.results, options_);
    const std::optional<Term> term = evaluate(s, q);
    const QuantityWords& words = wordsOf(q.kind);
    Explanation e;
    const auto add = [&](LineKind kind, std::string text, std::optional<OperandTarget> target = std::nullopt) {
        e.lines.push_back({kind, std::move(text), target});
    };
    add(LineKind::Title, std::move(title));
    if (shown)
        if (std::string context = contextOf(options_); !context.empty())
            add(LineKind::Context, std::move(context));
    add(LineKind::What, std::string(words.what));
    add(LineKind::Formula, std::string(words.formula));
    if (!term) {
        add(LineKind::Why, "Сумма слишком велика, чтобы ее рассчитать.");
        return e;
    }

    const bool finite = std::isfinite(term->value());
    if (finite && (term->hasArithmetic() || (!term->operands().empty() && !term->isRuled()))) {
        // A figure ends in the number its label shows; a quantity in its digits, or in the value it had
        // before it was kept in single precision.
        std::string result = arithmeticNumber(term->beforeSingle().value_or(term->value()));
        if (shown && !term->beforeSingle())
            if (const std::string* text = textOf(view_, shown->value->name))
                result = *text;
        if (term->text() != result)
            add(LineKind::Arithmetic, term->text() + " = " + result);
        if (term->beforeSingle() && arithmeticNumber(term->value()) != arithmeticNumber(*term->beforeSingle()))
            add(LineKind::Why,
                "Значение хранится с одинарной точностью, как в расчетах курса: " + arithmeticNumber(term->value())
                    + ".");
    }
    const auto nameOf = [&](const OperandTarget& target) -> std::string {
        if (const auto* input = std::get_if<FieldRef>(&target))
            return fieldName(*input);
        if (const auto* other = std::get_if<QuantityRef>(&target))
            return quantityName(*other, options_);
        return constantName(std::get<ConstantRef>(target));
    };
    for (const TermNote& note : term->notes()) {
        switch (note.kind) {
        case TermNote::Kind::Rule:
            add(LineKind::Why, capitalised(note.words) + ".");
            if (!note.arithmetic.empty())
                add(LineKind::Arithmetic, note.arithmetic);
            break;
        case TermNote::Kind::DivisionByZero: {
            std::vector<std::string> inputs;
            for (const OperandTarget& zero : note.zeros)
                inputsBehind(zero, kDepthBehind, inputs);
            if (inputs.size() > kInputsNamed)
                inputs.clear();
            const bool input = note.about && std::holds_alternative<FieldRef>(*note.about);
            const std::string divisor = note.about ? nameOf(*note.about) : "(" + note.words + ")";
            add(LineKind::Why,
                "Делить не на что: "
                    + (input && !inputs.empty()
                            ? inputs.front()
                            : divisor + " равно 0" + (inputs.empty() ? "" : " (" + joined(inputs) + ")"))
                    + ".",
                note.about);
            break;
        }
        case TermNote::Kind::NotComputed: {
            std::vector<std::string> inputs;
            inputsBehind(*note.about, kDepthBehind, inputs);
            if (inputs.size() > kInputsNamed)
                inputs.clear();
            add(LineKind::Why,
                "Не вычисляется: " + nameOf(*note.about)
                    + (inputs.empty() ? "" : " — делить не на что: " + joined(inputs)) + ".",
                note.about);
            break;
        }
        }
    }
    if (!finite && term->notes().empty())
        add(LineKind::Why, "Значение не вычисляется.");
    for (const Operand& o : term->operands()) {
        std::string text = nameOf(o.target) + " — " + o.text;
        if (const auto* other = std::get_if<QuantityRef>(&o.target))
            text = withUnit(std::move(text), wordsOf(other->kind).unit);
        else if (const auto* c = std::get_if<ConstantRef>(&o.target))
            text += " (" + constantSource(*c, work_) + ")";
        add(LineKind::Operand, std::move(text), o.target);
    }
    return e;
}

struct Explainer::Unfolding {
    const FigurePlace& place;
    Unfolded* shared;
    std::string_view here;
    int depth;
    std::vector<QuantityRef> seen;
    std::vector<Quantity> described;
    std::string out;
};

void Explainer::inputsBehind(const OperandTarget& target, int depth, std::vector<std::string>& names) const
{
    const auto add = [&](std::string name) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    };
    if (const auto* input = std::get_if<FieldRef>(&target)) {
        const std::string shown = field(work_, *input).displayText();
        add(fieldName(*input) + " — " + (shown.empty() ? "0" : shown));
        return;
    }
    if (const auto* c = std::get_if<ConstantRef>(&target)) {
        if (c->kind == Constant::RegionalNormative)
            add(constantName(*c) + " — 0");
        return;
    }
    Explaining s(work_, work_.results, options_);
    const std::optional<Term> term = depth > 0 ? evaluate(s, std::get<QuantityRef>(target)) : std::nullopt;
    if (!term)
        return;
    if (std::isfinite(term->value())) {
        for (const Operand& o : term->operands())
            if (o.value == 0)
                inputsBehind(o.target, depth - 1, names);
        return;
    }
    for (const TermNote& n : term->notes()) {
        if (n.kind == TermNote::Kind::DivisionByZero)
            for (const OperandTarget& zero : n.zeros)
                inputsBehind(zero, depth - 1, names);
        if (n.kind == TermNote::Kind::NotComputed && n.about)
            inputsBehind(*n.about, depth - 1, names);
    }
}

std::string Explainer::unfoldedText(
    const FigureRef& asked, const FigurePlace& place, Unfolded* shared, std::string_view here, int maxDepth) const
{
    Unfolding u{place, shared, here, maxDepth, {}, {}, {}};
    if (const auto q = asked.isLabel() ? figureQuantity(asked.label, options_) : std::optional(asked.quantity)) {
        u.seen.push_back(*q);
        u.described.push_back(q->kind);
    }
    unfold(this->asked(asked), 0, u);
    return std::move(u.out);
}

void Explainer::unfold(const Explanation& e, int depth, Unfolding& u) const
{
    const std::string indent(static_cast<std::size_t>(2 * depth), ' ');
    for (const ExplanationLine& line : e.lines) {
        if (depth > 0 && (line.kind == LineKind::Title || line.kind == LineKind::Context))
            continue;
        u.out.append(indent).append(readLine(line));
        const auto* q
            = line.kind == LineKind::Operand && line.target ? std::get_if<QuantityRef>(&*line.target) : nullptr;
        if (q && u.place)
            if (const auto label = labelOf(*q))
                if (const auto where = u.place(*label)) {
                    u.out.append(" (").append(*where).append(")\n");
                    continue;
                }
        if (!q || depth >= u.depth) {
            u.out.append("\n");
            continue;
        }
        if (std::find(u.seen.begin(), u.seen.end(), *q) != u.seen.end()) {
            u.out.append(" (см. выше)\n");
            continue;
        }
        if (u.shared) {
            const auto& places = u.shared->places;
            const auto done = std::find_if(places.begin(), places.end(), [&](const auto& p) { return p.first == *q; });
            if (done != places.end()) {
                u.out.append(" (см. ").append(done->second).append(")\n");
                continue;
            }
            u.shared->places.emplace_back(*q, std::string(u.here));
        }
        u.out.append("\n");
        u.seen.push_back(*q);
        Explanation inner = quantity(*q);
        if (std::find(u.described.begin(), u.described.end(), q->kind) != u.described.end())
            std::erase_if(inner.lines,
                [](const ExplanationLine& l) { return l.kind == LineKind::What || l.kind == LineKind::Formula; });
        else
            u.described.push_back(q->kind);
        unfold(inner, depth + 1, u);
    }
}

} // namespace kvarton::calc
