#pragma once

#include "step_form.h"
#include "widgets.h"

#include "calc/quantity.h"
#include "calc/step_view.h"

#include <QHash>

#include <optional>
#include <vector>

class QButtonGroup;
class QFrame;
class QHBoxLayout;
class QLabel;
class QRadioButton;
class QShortcut;

namespace kvarton {
class ExplanationPanel;
class ResultChart;
} // namespace kvarton

namespace kvarton {

// Form8, steps 13–16: one panel per calculation step and the error panel they share. Every number
// and text comes from the calculations; the screen keeps only the option choices, which last for
// the whole run.
class CalculationForm final : public StepForm {
    Q_OBJECT
public:
    CalculationForm(InstitutionModel& model, QWidget* parent);

    QSize bodySizeHint() const override;
    // The panels of steps 15 and 16 take the whole width, where a chart stands beside its table.
    void keepBoxesWithin(int width) override;
    void resumeAfterReturn() override;

    // "Как получено?": explains the value label `label` of the step shown, in the panel beside it
    // (a click on a value, or Enter or F1 on it, asks the same; a figure of a chart is asked alike).
    void explain(QLabel* label);
    void closeExplanation();
    ExplanationPanel* explanationPanel() const { return explanation_; }

    // Whether the error panel shows, with the inputs the check found wrong.
    bool showsInputFailures() const;
    // Follows the error panel's first link that reads `text` (or else the first that begins with
    // it) to its input, as a click on it does; false when none does.
    bool followInputFailure(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void applyLayout(int step) override;
    std::span<const Binding> bindings(int step) const override;
    bool reportAllowed(int step) const override { return step == kLastStep; }

private:
    void buildErrorPanel();
    void buildPupilHourPanel();
    void buildIncentivePanel();
    void buildNormativePanel();
    void buildEstimatePanel();
    QLabel* value(QWidget* parent, const calc::ValueLabel& label, const QString& placeholder);
    // An option button named and captioned as its table in calc/panel_options gives it.
    static QRadioButton* option(QWidget* parent, const calc::PanelText& text);
    // The step's method buttons (13 or 14) in a row, the first checked.
    QHBoxLayout* methodRow(QWidget* parent, calc::ResultsPanel panel, EnumArray<calc::Method, QRadioButton*>& buttons);

    // Shows the step's panel with the texts of `view`, or the error panel instead. Every label of
    // a view is one the panels were built with; a debug build stops on any other.
    void present(int step, const calc::StepView& view);

    calc::Method method13() const;
    calc::Method method14() const;
    StayRegime view14() const;
    calc::NormativeGroup group15() const;
    // The options of the panel of `step` as its buttons stand.
    calc::StepOptions options(int step) const;
    void makeAskable(QLabel* label);
    // Explains `figure`, asked on `asker` (a value, or the chart that states it), which takes the
    // focus back when the panel closes.
    void explainFigure(QWidget* asker, const calc::FigureRef& figure);
    void makeRoomBeside();
    void placeExplanation();

    InstitutionModel& model_;
    QFrame* errorPanel_ = nullptr;
    QLabel* failuresHead_ = nullptr; // the inputs the check found wrong, under the fixed lines
    ScrollingList failures_;
    QStringList failureLines_; // the lines of failures_
    std::vector<std::optional<FieldRef>> failureFields_; // the input each line links to, if any
    EnumArray<calc::ResultsPanel, QFrame*> panels_{};
    QHash<QString, QLabel*> values_; // every value label of the panel tables by name
    // The option buttons by what they choose; their object names come from calc/panel_options.
    EnumArray<calc::Method, QRadioButton*> methodButtons13_{};
    EnumArray<calc::Method, QRadioButton*> methodButtons14_{};
    EnumArray<StayRegime, QRadioButton*> viewButtons14_{};
    EnumArray<calc::NormativeGroup, QRadioButton*> groupButtons15_{};
    QButtonGroup* groups15_ = nullptr;
    ResultChart* chart15_ = nullptr; // beside or under the tables of steps 15 and 16
    ResultChart* chart16_ = nullptr;
    ExplanationPanel* explanation_ = nullptr;
    QShortcut* closeByEscape_ = nullptr;
    QWidget* asked_ = nullptr; // where the figure explained was asked, which takes the focus back
    int step_ = 0; // the step shown
    int widenedBy_ = 0; // how much the window widened for the panel
};

} // namespace kvarton
