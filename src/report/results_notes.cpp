#include "results_notes.h"

#include "calc/explanation.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

namespace kvarton::report {

namespace {

// The box a note's text fits in: the default font of notes writes some 80 characters on a line of
// 520 pixels, each line 14 pixels high.
constexpr int kNoteWidth = 520;
constexpr std::size_t kCharactersPerLine = 80;
constexpr int kLineHeight = 14;

std::size_t characters(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

int heightOf(std::string_view text)
{
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines += std::max<std::size_t>(
            1, (characters(text.substr(start, end - start)) + kCharactersPerLine - 1) / kCharactersPerLine);
        start = end + 1;
    }
    return std::clamp(static_cast<int>(lines) * kLineHeight + 10, 60, 2000);
}

} // namespace

std::vector<Note> resultsNotes(const InstitutionModel& model, const std::vector<ResultsFigure>& figures,
    const std::vector<ResultsChartFigure>& chartFigures)
{
    // One explainer per option: each computes its panel once, and its figures share what they are
    // made of.
    std::map<std::pair<calc::ResultsPanel, int>, std::unique_ptr<calc::Explainer>> explainers;
    std::vector<Note> notes;
    const auto add = [&](int row, int column, calc::ResultsPanel panel, int option, const calc::FigureRef& asked) {
        auto& explainer = explainers[{panel, option}];
        if (!explainer)
            explainer = std::make_unique<calc::Explainer>(model, optionStep(panel, option));
        if (explainer->view().showError)
            return;
        const auto cellOf = [&](std::string_view label) -> std::optional<std::string> {
            for (const ResultsFigure& other : figures)
                if (other.panel == panel && other.option == option && other.label->name == label)
                    return "ячейка " + cellAddress(other.row, other.column);
            return std::nullopt;
        };
        std::string text = explainer->unfoldedText(asked, cellOf, nullptr, {}, 0);
        if (text.empty())
            return;
        if (text.back() == '\n')
            text.pop_back();
        const int height = heightOf(text);
        notes.push_back({row, column, std::move(text), kNoteWidth, height});
    };
    for (const ResultsFigure& f : figures)
        add(f.row, f.column, f.panel, f.option, calc::FigureRef::ofLabel(f.label->name));
    for (const ResultsChartFigure& f : chartFigures)
        add(f.row, f.column, calc::ResultsPanel::Estimate, 0, calc::FigureRef::ofQuantity(f.quantity));
    return notes;
}

} // namespace kvarton::report
