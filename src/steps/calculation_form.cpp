#include "calculation_form.h"

#include "calc/result_charts.h"
#include "calc/steps.h"
#include "result_chart.h"
#include "widgets.h"

#include <algorithm>

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kvarton {

using calc::Method;
using calc::NormativeGroup;

CalculationForm::CalculationForm(InstitutionModel& model, QWidget* parent)
    : StepForm(Screen::Calculation, QStringLiteral("Расчет"), parent)
    , model_(model)
{
    buildErrorPanel();
    buildPupilHourPanel();
    buildIncentivePanel();
    buildNormativePanel();
    buildEstimatePanel();
    bodyLayout()->addStretch(1);
    errorPanel_->hide();
    for (QFrame* panel : panels_)
        panel->hide();

    // Option clicks recompute or only redisplay; they never run the check nor leave the step.
    const std::pair<const char*, Method> methods13[]
        = {{"Option1", Method::ByRecommendations}, {"Option2", Method::ByAllNeeds}};
    for (const auto& [name, method] : methods13)
        connect(options_.value(QString::fromLatin1(name)), &QRadioButton::clicked, this,
            [this, m = method] { present(13, calc::clickMethod13(model_, m)); });
    const std::pair<const char*, Method> methods14[]
        = {{"Option3", Method::ByRecommendations}, {"Option4", Method::ByAllNeeds}};
    for (const auto& [name, method] : methods14)
        connect(options_.value(QString::fromLatin1(name)), &QRadioButton::clicked, this,
            [this, m = method] { present(14, calc::clickMethod14(model_, m, view14())); });
    const std::pair<const char*, StayRegime> views[]
        = {{"Option5", StayRegime::Day}, {"Option6", StayRegime::ShortTerm}};
    for (const auto& [name, regime] : views)
        connect(options_.value(QString::fromLatin1(name)), &QRadioButton::clicked, this,
            [this, v = regime] { present(14, calc::clickView14(model_, method14(), v)); });
    connect(groups15_, &QButtonGroup::idClicked, this,
        [this](int id) { present(15, calc::clickGroup15(model_, static_cast<NormativeGroup>(id))); });
}

QLabel* CalculationForm::value(QWidget* parent, const calc::ValueLabel& cell, const QString& placeholder)
{
    QLabel* label = makeValue(parent, qs(cell.name), placeholder);
    values_.insert(label->objectName(), label);
    return label;
}

QRadioButton* CalculationForm::option(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    options_.insert(button->objectName(), button);
    return button;
}

Method CalculationForm::method13() const
{
    return options_.value(QStringLiteral("Option2"))->isChecked() ? Method::ByAllNeeds : Method::ByRecommendations;
}

Method CalculationForm::method14() const
{
    return options_.value(QStringLiteral("Option4"))->isChecked() ? Method::ByAllNeeds : Method::ByRecommendations;
}

StayRegime CalculationForm::view14() const
{
    return options_.value(QStringLiteral("Option6"))->isChecked() ? StayRegime::ShortTerm : StayRegime::Day;
}

NormativeGroup CalculationForm::group15() const { return static_cast<NormativeGroup>(groups15_->checkedId()); }

// Entering a step: the calculation checks the inputs first and tells which panel to show.
void CalculationForm::applyLayout(int step)
{
    switch (step) {
    case 13:
        present(step, calc::enterStep13(model_, method13()));
        break;
    case 14:
        present(step, calc::enterStep14(model_, method14(), view14()));
        break;
    case 15:
        present(step, calc::enterStep15(model_, group15()));
        break;
    default:
        present(step, calc::enterStep16(model_));
        break;
    }
}

void CalculationForm::present(int step, const calc::StepView& view)
{
    const calc::ResultsPanel shown = calc::panelOfStep(step);
    errorPanel_->setVisible(view.showError);
    QStringList failures;
    for (const std::string& line : view.failures)
        failures << QString::fromStdString(line);
    failures_.list->setText(failures.join(u'\n'));
    failuresHead_->setVisible(!failures.isEmpty());
    failures_.area->setVisible(!failures.isEmpty());
    fitScrollingList(failures_);
    for (calc::ResultsPanel p : allOf<calc::ResultsPanel>())
        panels_[p]->setVisible(!view.showError && p == shown);
    for (const calc::LabelText& t : view.labels) {
        QLabel* label = values_.value(qs(t.label));
        Q_ASSERT_X(label && panels_[shown]->isAncestorOf(label), "CalculationForm::present",
            "a value label that the step's panel table does not name");
        if (label)
            label->setText(QString::fromStdString(t.text));
    }
    // The charts show what the tables above them show, after every entry and option click.
    if (view.showError)
        return;
    if (shown == calc::ResultsPanel::NormativeTable)
        chart15_->setChart(calc::normativeChart(view, group15()));
    else if (shown == calc::ResultsPanel::Estimate)
        chart16_->setChart(calc::estimateChart(view));
    else
        return;
    // A chart of another height changes the height of its panel: lay the panel and the screen out
    // now, inside out, before the paint that follows, rather than at layout requests after it.
    panels_[shown]->layout()->activate();
    bodyLayout()->activate();
}

std::span<const Binding> CalculationForm::bindings(int /*step*/) const { return {}; }

void CalculationForm::keepBoxesWithin(int width)
{
    errorPanel_->setMaximumWidth(width);
    for (calc::ResultsPanel p : {calc::ResultsPanel::PupilHourCost, calc::ResultsPanel::Incentives})
        panels_[p]->setMaximumWidth(width);
}

// The window takes its size before any step is entered: each panel counts as its step shows it.
QSize CalculationForm::bodySizeHint() const
{
    QSize size = StepForm::bodySizeHint().expandedTo(errorPanel_->sizeHint());
    for (const QFrame* panel : panels_)
        size = size.expandedTo(panel->sizeHint());
    return size;
}

} // namespace kvarton
