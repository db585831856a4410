#include "calculation_form.h"

#include "calc/result_charts.h"
#include "calc/steps.h"
#include "explanation_panel.h"
#include "model/field_captions.h"
#include "result_chart.h"
#include "widgets.h"

#include <algorithm>
#include <utility>

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFrame>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
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
    for (Method m : allOf<Method>()) {
        connect(methodButtons13_[m], &QRadioButton::clicked, this,
            [this, m] { present(13, calc::clickMethod13(model_, m)); });
        connect(methodButtons14_[m], &QRadioButton::clicked, this,
            [this, m] { present(14, calc::clickMethod14(model_, m, view14())); });
    }
    for (StayRegime v : allOf<StayRegime>())
        connect(viewButtons14_[v], &QRadioButton::clicked, this,
            [this, v] { present(14, calc::clickView14(model_, method14(), v)); });
    connect(groups15_, &QButtonGroup::idClicked, this,
        [this](int id) { present(15, calc::clickGroup15(model_, static_cast<NormativeGroup>(id))); });

    // Every value explains itself in a panel beside the step, which stays until Esc, Закрыть or
    // the next step.
    explanation_ = new ExplanationPanel(this);
    explanation_->hide();
    for (QLabel* label : values_)
        makeAskable(label);
    for (ResultChart* chart : {chart15_, chart16_})
        connect(chart, &ResultChart::figureAsked, this,
            [this, chart](const calc::FigureRef& figure) { explainFigure(chart, figure); });
    connect(explanation_, &ExplanationPanel::closeRequested, this, &CalculationForm::closeExplanation);
    connect(explanation_, &ExplanationPanel::inputRequested, this,
        [this](FieldRef field) { emit fieldRequested(field, step_, WayBack::ToExplanation); });
    // A line of the error panel that names an input leads to its field; the way back enters the
    // step again.
    connect(failures_.list, &QLabel::linkActivated, this, [this](const QString& line) {
        bool isIndex = false;
        const std::size_t i = line.toULongLong(&isIndex);
        if (isIndex && i < failureFields_.size() && failureFields_[i])
            emit fieldRequested(*failureFields_[i], step_, WayBack::ToStep);
    });
    // Esc is the panel's only while it is open.
    closeByEscape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    closeByEscape_->setContext(Qt::WidgetWithChildrenShortcut);
    closeByEscape_->setEnabled(false);
    connect(closeByEscape_, &QShortcut::activated, this, &CalculationForm::closeExplanation);
}

// A value shows that it can be asked without changing how it looks: the hand over it, and the
// focus frame its label paints when Tab reaches it.
void CalculationForm::makeAskable(QLabel* label)
{
    label->setFocusPolicy(Qt::StrongFocus);
    label->setCursor(Qt::PointingHandCursor);
    label->setAccessibleDescription(QStringLiteral("Как получено: Enter или F1"));
    label->installEventFilter(this);
}

bool CalculationForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label)
        return StepForm::eventFilter(watched, event);
    const auto asks = [](const QKeyEvent* key) {
        return key->key() == Qt::Key_F1 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    };
    switch (event->type()) {
    case QEvent::ShortcutOverride: // F1 on a value asks the value, not the help
        if (asks(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (asks(static_cast<QKeyEvent*>(event))) {
            explain(label);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            explain(label);
            return true;
        }
        break;
    default:
        break;
    }
    return StepForm::eventFilter(watched, event);
}

calc::StepOptions CalculationForm::options(int step) const
{
    return {step, step == 14 ? method14() : method13(), view14(), group15()};
}

void CalculationForm::explain(QLabel* label)
{
    // The value labels' names are the panel tables' own.
    if (const auto placed = calc::findValueLabel(label->objectName().toStdString()))
        explainFigure(label, calc::FigureRef::ofLabel(placed->value->name));
}

void CalculationForm::explainFigure(QWidget* asker, const calc::FigureRef& figure)
{
    asked_ = asker;
    explanation_->explain(model_, options(step_), figure);
    if (explanation_->isHidden())
        makeRoomBeside();
    placeExplanation();
    explanation_->show();
    explanation_->raise();
    closeByEscape_->setEnabled(true);
    explanation_->firstLink()->setFocus(Qt::OtherFocusReason);
}

// Where the window leaves the step's panel too little room beside the explanation, the window
// widens by the panel as far as its screen has room, and narrows again when the panel closes.
void CalculationForm::makeRoomBeside()
{
    QWidget* w = window();
    const QFrame* shown = panels_[calc::panelOfStep(step_)];
    const int needed = shown->minimumSizeHint().width() + explanation_->width() + 4 * layout()->spacing()
        + layout()->contentsMargins().left() + layout()->contentsMargins().right();
    widenedBy_ = 0;
    if (w->width() >= needed)
        return;
    const QRect free = w->screen() ? w->screen()->availableGeometry() : QRect(0, 0, 1366, 728);
    const int frame = w->frameGeometry().width() - w->width();
    // A window the screen cannot widen enough stays as it is: the panel then covers the step's right.
    if (needed > free.width() - frame)
        return;
    widenedBy_ = needed - w->width();
    w->resize(needed, w->height());
    if (w->frameGeometry().right() > free.right())
        w->move(std::max(free.left(), free.right() + 1 - w->frameGeometry().width()), w->y());
}

// The panel stands over the right of the body, from the title to the buttons: opening it lays
// nothing of the step out again. The step's panel keeps its place at the left; the window has the
// room for both (makeRoomBeside), and a chart of steps 15 and 16 beside its table is what it covers.
void CalculationForm::placeExplanation()
{
    const QRect area = bodyArea()->geometry();
    explanation_->setGeometry(
        area.right() + 1 - explanation_->width(), area.top(), explanation_->width(), area.height());
}

void CalculationForm::resizeEvent(QResizeEvent* event)
{
    StepForm::resizeEvent(event);
    if (!explanation_->isHidden())
        placeExplanation();
}

// Leaving the screen (an input's link, the menu) closes the panel and gives the window its width back.
void CalculationForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous() && !explanation_->isHidden())
        closeExplanation();
    StepForm::hideEvent(event);
}

void CalculationForm::closeExplanation()
{
    if (!explanation_->isHidden() && widenedBy_ > 0)
        window()->resize(window()->width() - std::exchange(widenedBy_, 0), window()->height());
    explanation_->hide();
    explanation_->clear();
    closeByEscape_->setEnabled(false);
    if (asked_ && asked_->isVisible())
        asked_->setFocus(Qt::OtherFocusReason);
}

// Back from an input's field: the same figure explained again, from the inputs as they are now.
void CalculationForm::resumeAfterReturn()
{
    if (asked_ && explanation_->asked())
        explainFigure(asked_, *explanation_->asked());
}

bool CalculationForm::showsInputFailures() const { return errorPanel_->isVisible() && failures_.area->isVisible(); }

bool CalculationForm::followInputFailure(const QString& text)
{
    if (!showsInputFailures())
        return false;
    for (bool whole : {true, false})
        for (qsizetype i = 0; i < failureLines_.size(); ++i)
            if (failureFields_[static_cast<std::size_t>(i)]
                && (whole ? failureLines_[i] == text : failureLines_[i].startsWith(text))) {
                emit failures_.list->linkActivated(QString::number(i));
                return true;
            }
    return false;
}

QLabel* CalculationForm::value(QWidget* parent, const calc::ValueLabel& cell, const QString& placeholder)
{
    QLabel* label = makeValue(parent, qs(cell.name), placeholder);
    values_.insert(label->objectName(), label);
    return label;
}

QRadioButton* CalculationForm::option(QWidget* parent, const calc::PanelText& text)
{
    auto* button = new QRadioButton(qs(text.text), parent);
    button->setObjectName(qs(text.name));
    return button;
}

Method CalculationForm::method13() const
{
    return methodButtons13_[Method::ByAllNeeds]->isChecked() ? Method::ByAllNeeds : Method::ByRecommendations;
}

Method CalculationForm::method14() const
{
    return methodButtons14_[Method::ByAllNeeds]->isChecked() ? Method::ByAllNeeds : Method::ByRecommendations;
}

StayRegime CalculationForm::view14() const
{
    return viewButtons14_[StayRegime::ShortTerm]->isChecked() ? StayRegime::ShortTerm : StayRegime::Day;
}

NormativeGroup CalculationForm::group15() const { return static_cast<NormativeGroup>(groups15_->checkedId()); }

// Entering a step: the calculation checks the inputs first and tells which panel to show.
void CalculationForm::applyLayout(int step)
{
    // An explanation belongs to the step it was asked on.
    if (!explanation_->isHidden())
        closeExplanation();
    step_ = step;
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
    failureLines_.clear();
    QList<bool> linked;
    failureFields_.assign(view.failures.size(), std::nullopt);
    for (std::size_t i = 0; i < view.failures.size(); ++i) {
        failureLines_ << QString::fromStdString(view.failures[i]);
        // Only an input that a step shows can be gone to.
        if (i < view.failureFields.size() && view.failureFields[i] && fieldPlace(*view.failureFields[i]).step > 0)
            failureFields_[i] = view.failureFields[i];
        linked << failureFields_[i].has_value();
    }
    setListLines(failures_, failureLines_, linked);
    failuresHead_->setVisible(!failureLines_.isEmpty());
    failures_.area->setVisible(!failureLines_.isEmpty());
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
    // An option click explains the same figure under the options now chosen.
    if (!explanation_->isHidden())
        explanation_->explain(model_, options(step), *explanation_->asked());
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
