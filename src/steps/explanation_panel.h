#pragma once

#include "calc/explanation.h"

#include <QFrame>
#include <QLabel>
#include <QStaticText>

#include <memory>
#include <optional>
#include <vector>

class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace kvarton {

// A line of an explanation: plain text wrapped at the panel's width, laid out once and painted
// from that layout (a panel holds dozens of lines, repainted whenever one unfolds).
class ExplanationText : public QLabel {
    Q_OBJECT
public:
    ExplanationText(const QString& text, QWidget* parent);
    // The height of the text wrapped at `width`, with the line's margins.
    int heightAt(int width);
    // The panel gives every line its width and its height (heightAt): a label's own measures would
    // lay its text out again at every question of the layout.
    QSize sizeHint() const override { return {1, minimumHeight()}; }
    QSize minimumSizeHint() const override { return sizeHint(); }
    bool hasHeightForWidth() const override { return false; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void layOut(int width);
    QStaticText layout_;
    int laidOutWidth_ = -1;
};

// A line of an explanation that leads somewhere: an input (to its field on its step) or another
// figure (unfolds in place). It is read and reached like a link: Tab stops at it, Enter, Space or
// a click follows it, and it says where it leads to a screen reader.
class ExplanationLink final : public ExplanationText {
    Q_OBJECT
public:
    ExplanationLink(const QString& text, const QString& whereTo, QWidget* parent);

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// "Как получено?": the explanation of one value of steps 13–16 in a panel beside the step. Its
// lines are the core's (calc::Explainer); an operand that is another figure unfolds below its line
// into that figure's own explanation, an input leads to its field. The panel keeps what is unfolded
// when the same figure is explained again under other options or after the inputs changed.
class ExplanationPanel final : public QFrame {
    Q_OBJECT
public:
    explicit ExplanationPanel(QWidget* parent);
    ~ExplanationPanel() override;

    // Explains a figure of the step `options.step` (a value label, or a figure of its chart) from
    // the inputs of `model`; the figures unfolded before stay unfolded where the same figure is
    // explained again.
    void explain(const InstitutionModel& model, const calc::StepOptions& options, const calc::FigureRef& figure);
    // Lets the lines go, keeping the figure and what was unfolded for the way back.
    void clear();
    // The figure explained last, nullopt before any.
    const std::optional<calc::FigureRef>& asked() const { return asked_; }
    const calc::StepOptions& options() const { return options_; }

    // The panel's lines in reading order, as a screen reader reads them, the unfolded ones indented.
    QStringList readingOrder() const;
    // The explanation unfolded down to the inputs, as text.
    QString unfoldedText() const;
    // Follows the first visible link, in reading order, that reads `text` (or else the first whose
    // text begins with it); false when none does.
    bool follow(const QString& text);
    // The first link of the explanation, for the keyboard.
    QWidget* firstLink() const;

signals:
    // A link of an input was followed: the learner goes to its field.
    void inputRequested(FieldRef field);
    void closeRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitLines();
    void rebuild();
    // The figures from the explained one down to an unfolded one.
    using Path = std::vector<calc::QuantityRef>;
    // Puts the lines of `e` at `at`, those of the figures unfolded before unfolded; gives the index
    // after them.
    int addLines(const calc::Explanation& e, int at, const Path& path);
    int unfold(ExplanationLink* link, const Path& path);
    void toggle(ExplanationLink* link, const Path& path);
    void linksInto(std::vector<ExplanationLink*>& links) const;

    std::unique_ptr<calc::Explainer> explainer_;
    calc::StepOptions options_;
    std::optional<calc::FigureRef> asked_;
    std::vector<Path> unfolded_; // kept when the same figure is explained again
    QScrollArea* scroll_ = nullptr;
    QWidget* content_ = nullptr;
    QVBoxLayout* lines_ = nullptr; // every line, in reading order
    QPushButton* close_ = nullptr;
};

} // namespace kvarton
