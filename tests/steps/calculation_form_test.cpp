#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "calc/panels.h"
#include "calc/steps.h"
#include "steps/calculation_form.h"
#include "steps/explanation_panel.h"
#include "steps/result_chart.h"
#include "steps/widgets.h"
#include "wizard/main_window.h"
#include "wizard/step_controller.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <map>
#include <string>

using namespace kvarton;
using namespace kvarton::test;
using calc::Method;
using calc::NormativeGroup;

namespace {

// The wizard's window shown and active, as a learner's: the keyboard reaches its controls.
bool shownActive(Wizard& w)
{
    w.window()->show();
    w.window()->activateWindow();
    return QTest::qWaitForWindowActive(w.window());
}

} // namespace

class CalculationFormTest final : public QObject {
    Q_OBJECT

private slots:
    // After every entry and option, each value label of the step's table stands once on the
    // screen, in the step's panel, and shows the text the calculation wrote for it.
    void everyValueLabelShowsWhatTheCalculationWrote()
    {
        struct Action {
            int step;
            const char* option; // none: entering the step
            std::function<calc::StepView(InstitutionModel&)> again; // the same on a copy of the model
        };
        const Action actions[] = {
            {13, nullptr, [](InstitutionModel& m) { return calc::enterStep13(m, Method::ByRecommendations); }},
            {13, "Option2", [](InstitutionModel& m) { return calc::clickMethod13(m, Method::ByAllNeeds); }},
            {14, nullptr,
                [](InstitutionModel& m) { return calc::enterStep14(m, Method::ByRecommendations, StayRegime::Day); }},
            {14, "Option6",
                [](InstitutionModel& m) {
                    return calc::clickView14(m, Method::ByRecommendations, StayRegime::ShortTerm);
                }},
            {14, "Option4",
                [](InstitutionModel& m) { return calc::clickMethod14(m, Method::ByAllNeeds, StayRegime::ShortTerm); }},
            {15, nullptr, [](InstitutionModel& m) { return calc::enterStep15(m, NormativeGroup::JuniorShortTerm); }},
            {15, "Option23", [](InstitutionModel& m) { return calc::clickGroup15(m, NormativeGroup::SeniorDay); }},
            {16, nullptr, [](InstitutionModel& m) { return calc::enterStep16(m); }},
        };

        auto w = startedWizard();
        QWidget* form8 = w->form(Screen::Calculation);
        QVERIFY(form8);
        for (const Action& action : actions) {
            if (action.option)
                control<QRadioButton>(*w, Screen::Calculation, QString::fromLatin1(action.option))->click();
            else
                w->steps()->showStep(action.step);
            InstitutionModel copy = w->model();
            const calc::StepView expected = action.again(copy);
            QVERIFY(!expected.showError);
            std::map<std::string_view, std::string> texts;
            for (const calc::LabelText& t : expected.labels)
                texts.emplace(t.label, t.text);

            const calc::ResultsPanel shown = calc::panelOfStep(action.step);
            auto* frame = form8->findChild<QFrame*>(qs(calc::panel(shown).frame));
            QVERIFY(frame && frame->isVisible());
            for (const calc::PlacedValue& v : calc::valueLabels(shown)) {
                const QString name = qs(v.value->name);
                const QList<QLabel*> labels = form8->findChildren<QLabel*>(name);
                QCOMPARE(labels.size(), 1);
                QVERIFY2(frame->isAncestorOf(labels.front()), qPrintable(name));
                QVERIFY2(texts.count(v.value->name) == 1, qPrintable(name));
                QCOMPARE(labels.front()->text(), QString::fromStdString(texts.at(v.value->name)));
            }
        }
    }

    // A long list of failed inputs stands below the thirteen lines in a box that scrolls, so the
    // buttons stay in reach; once the inputs are mended the list goes.
    void aLongListOfFailuresScrolls()
    {
        auto w = startedWizard();
        for (StaffRole r : allOf<StaffRole>()) {
            w->model().payroll2011[r] = ModelValue::text("1 000");
            w->model().directHours[GroupKind::GeneralDay][r] = ModelValue::text("0");
        }
        for (ServicePosition p : allOf<ServicePosition>())
            if (hasSalary(p))
                w->model().serviceSalary[p] = ModelValue::text("1.5");
        w->steps()->showStep(13);
        auto* list = control<QLabel>(*w, Screen::Calculation, QStringLiteral("InputFailureList"));
        auto* area = control<QWidget>(*w, Screen::Calculation, QStringLiteral("InputFailures"));
        QVERIFY(control<QLabel>(*w, Screen::Calculation, QStringLiteral("Label4"))->isVisible());
        QVERIFY(area->isVisible());
        const QStringList lines = labelText(*list).split(u'\n');
        QCOMPARE(lines.size(), 1 + 12 + 6 + 11); // hours; amounts; the six roles without positions; salaries
        QCOMPARE(lines.first(), QStringLiteral("Шаг 1: у всех должностей 0 часов непосредственной работы с детьми"));
        QVERIFY(area->height() < list->sizeHint().height());
        // The keyboard's link stays in view: the last one at the bottom of the box.
        QVERIFY(shownActive(*w));
        area->setFocus(Qt::TabFocusReason);
        for (const QString& line : lines) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QApplication::processEvents();
            QCOMPARE(list->accessibleName(), line);
        }
        const QScrollBar* scroll = static_cast<QScrollArea*>(area)->verticalScrollBar();
        QCOMPARE(scroll->value(), scroll->maximum());

        for (StaffRole r : allOf<StaffRole>())
            w->model().payroll2011[r] = ModelValue::text("0");
        w->model().directHours[GroupKind::GeneralDay][StaffRole::Teacher] = ModelValue::text("10");
        for (ServicePosition p : allOf<ServicePosition>())
            if (hasSalary(p))
                w->model().serviceSalary[p] = ModelValue::text("14000");
        w->steps()->showStep(14);
        QVERIFY(!control<QWidget>(*w, Screen::Calculation, QStringLiteral("Frame1"))->isVisible());
    }

    // A value is asked by a click, Enter or F1 and explains itself beside the step; Esc closes the
    // panel and gives the value its focus back. A link to an input goes to its field and the way
    // back explains the same figure from the input as it is now.
    void aValueIsAskedAndItsInputReached()
    {
        auto w = startedWizard();
        QVERIFY(shownActive(*w));
        w->steps()->showStep(13);
        auto* form = static_cast<CalculationForm*>(w->form(Screen::Calculation));
        ExplanationPanel* panel = form->explanationPanel();
        auto* value = control<QLabel>(*w, Screen::Calculation, QStringLiteral("Label1001"));
        const std::function<void()> asks[] = {
            [&] { QTest::mouseClick(value, Qt::LeftButton); },
            [&] { QTest::keyClick(value, Qt::Key_Return); },
            [&] { QTest::keyClick(value, Qt::Key_F1); },
        };
        for (const auto& ask : asks) {
            value->setFocus();
            ask();
            QVERIFY(panel->isVisible());
            QVERIFY(panel->asked() == calc::FigureRef::ofLabel("Label1001"));
            QVERIFY(panel->readingOrder().value(0).startsWith(
                QStringLiteral("Стоимость ученико - часа в группах с обычным режимом пребывания — ") + value->text()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!panel->isVisible());
            QCOMPARE(QApplication::focusWidget(), value);
        }

        QTest::keyClick(value, Qt::Key_F1);
        for (const char* figure : {"Фонд оплаты по ученико-часам (группы с обычным режимом пребывания, все дети)",
                 "Стоимость ученико-часа ячейки (группы с обычным режимом пребывания, все дети)",
                 "Оплата одной ставки в 2012 году без специальной части (Воспитатель)"})
            QVERIFY(panel->follow(QString::fromUtf8(figure)));
        QVERIFY(panel->follow(QStringLiteral("Шаг 7: Воспитатель")));
        QCOMPARE(w->model().currentStep, 7);
        auto* field = control<QLineEdit>(*w, Screen::Staff2011, QStringLiteral("Text2"));
        QCOMPARE(QApplication::focusWidget(), field);
        field->setText(QStringLiteral("5000000"));
        control<QPushButton>(*w, Screen::Staff2011, QStringLiteral("ReturnToExplanation"))->click();
        QCOMPARE(w->model().currentStep, 13);
        QVERIFY(panel->isVisible());
        QVERIFY(panel->readingOrder().contains(QStringLiteral("      — Шаг 7: Воспитатель — 5000000")));
    }

    // A figure a chart states is asked as a value is: the arrows pick it and F1 asks, or a click on
    // it; Esc gives the chart the focus back on the same figure.
    void aChartFigureIsAsked()
    {
        auto w = startedWizard();
        QVERIFY(shownActive(*w));
        w->steps()->showStep(16);
        auto* form = static_cast<CalculationForm*>(w->form(Screen::Calculation));
        ExplanationPanel* panel = form->explanationPanel();
        auto* chart = control<ResultChart>(*w, Screen::Calculation, QStringLiteral("Chart16"));
        const auto& figures = chart->chart().figures;
        const auto accruals = std::find_if(figures.begin(), figures.end(), [](const calc::ChartFigure& f) {
            return !f.figure.isLabel() && f.figure.quantity.kind == calc::Quantity::AccrualsOnPay;
        });
        QVERIFY(accruals != figures.end());
        const int index = static_cast<int>(accruals - figures.begin());

        chart->setFocus(Qt::TabFocusReason);
        QTest::keyClick(chart, Qt::Key_Home);
        for (std::size_t i = 0; i < figures.size() && chart->currentFigure() < index; ++i)
            QTest::keyClick(chart, Qt::Key_Right);
        QCOMPARE(chart->currentFigure(), index);
        QCOMPARE(chart->accessibleName(), QString::fromStdString(accruals->words));
        QTest::keyClick(chart, Qt::Key_F1);
        QVERIFY(panel->isVisible());
        QVERIFY(panel->asked() == accruals->figure);
        QVERIFY(panel->readingOrder().value(0).startsWith(QStringLiteral("Начисления на оплату труда — ")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!panel->isVisible());
        QCOMPARE(QApplication::focusWidget(), chart);
        QCOMPARE(chart->currentFigure(), index);

        // The subsidy's bar, clicked, explains the subsidy as its value in the table does.
        const auto subsidy = std::find_if(figures.begin(), figures.end(),
            [](const calc::ChartFigure& f) { return f.place == calc::ChartFigure::Place::Segment && f.index == 1; });
        QVERIFY(subsidy != figures.end());
        QTest::mouseClick(
            chart, Qt::LeftButton, {}, chart->figureArea(static_cast<int>(subsidy - figures.begin())).center());
        QVERIFY(panel->isVisible());
        QVERIFY(panel->asked() == calc::FigureRef::ofLabel("Label183"));
    }

    // The error panel's inputs are links that the keyboard reaches one by one, a screen reader
    // names as they are reached, and Enter or a click follows; what the learner typed shows as
    // typed. The way back enters the step again, without an explanation.
    void anInputFailureIsFollowedByTheKeyboard()
    {
        auto w = startedWizard();
        QVERIFY(shownActive(*w));
        w->model().payroll2011[StaffRole::Teacher] = ModelValue::text("<b>12</b> &amp;");
        w->model().serviceSalary[ServicePosition::Clerk] = ModelValue::text("1.5");
        w->steps()->showStep(13);
        auto* list = control<QLabel>(*w, Screen::Calculation, QStringLiteral("InputFailureList"));
        const QStringList lines = labelText(*list).split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(QStringLiteral("Шаг 7: Воспитатель — «<b>12</b> &amp;»")), qPrintable(lines[0]));

        control<QWidget>(*w, Screen::Calculation, QStringLiteral("InputFailures"))->setFocus(Qt::TabFocusReason);
        for (const QString& line : lines) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), list);
            QCOMPARE(list->accessibleName(), line);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(w->model().currentStep, 12);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text4"));
        auto* back = control<QPushButton>(*w, Screen::Simulation, QStringLiteral("ReturnToExplanation"));
        QCOMPARE(back->text(), QStringLiteral("Вернуться к шагу 13"));
        back->click();
        QCOMPARE(w->model().currentStep, 13);
        QVERIFY(list->isVisible());
        QVERIFY(!static_cast<CalculationForm*>(w->form(Screen::Calculation))->explanationPanel()->isVisible());

        // A click on the first line follows it too.
        QTest::mouseClick(
            list, Qt::LeftButton, {}, list->contentsRect().topLeft() + QPoint(8, list->fontMetrics().height() / 2));
        QCOMPARE(w->model().currentStep, 7);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text2"));
    }
};

KVARTON_QTEST_MAIN(CalculationFormTest)
#include "calculation_form_test.moc"
