#pragma once

#include "step_form.h"
#include "widgets.h"

#include "calc/step_view.h"

#include <QHash>

class QButtonGroup;
class QFrame;
class QLabel;
class QRadioButton;

namespace kvarton {
class ResultChart;
}

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

protected:
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
    QRadioButton* option(QWidget* parent, const char* name, const QString& caption);

    // Shows the step's panel with the texts of `view`, or the error panel instead. Every label of
    // a view is one the panels were built with; a debug build stops on any other.
    void present(int step, const calc::StepView& view);

    calc::Method method13() const;
    calc::Method method14() const;
    StayRegime view14() const;
    calc::NormativeGroup group15() const;

    InstitutionModel& model_;
    QFrame* errorPanel_ = nullptr;
    QLabel* failuresHead_ = nullptr; // the inputs the check found wrong, under the fixed lines
    ScrollingList failures_;
    EnumArray<calc::ResultsPanel, QFrame*> panels_{};
    QHash<QString, QLabel*> values_; // every value label of the panel tables by name
    QHash<QString, QRadioButton*> options_;
    QButtonGroup* groups15_ = nullptr;
    ResultChart* chart15_ = nullptr; // beside or under the tables of steps 15 and 16
    ResultChart* chart16_ = nullptr;
};

} // namespace kvarton
