#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "steps/menu_table.h"
#include "steps/step_form.h"
#include "steps/step_table.h"
#include "steps/widgets.h"
#include "wizard/main_window.h"
#include "wizard/step_controller.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <map>

using namespace kvarton;
using namespace kvarton::test;

namespace {

Screen screenOf(int step) { return stepInfo(step).screen; }

QPushButton* button(Wizard& w, int step, const char* name)
{
    return control<QPushButton>(w, screenOf(step), QString::fromLatin1(name));
}

// Every step item enabled but the step's own; the report only from step 16.
void checkMenu(Wizard& w, int step)
{
    auto* form = static_cast<StepForm*>(w.form(screenOf(step)));
    for (int s = kFirstStep; s <= kLastStep; ++s)
        QCOMPARE(form->stepAction(s)->isEnabled(), s != step);
    QVERIFY(form->findChild<QAction*>(QStringLiteral("inform1"))->isEnabled());
    QCOMPARE(form->reportAction()->isEnabled(), step == kLastStep);
}

void checkShown(Wizard& w, int step)
{
    QCOMPARE(w.model().currentStep, step);
    QCOMPARE(visibleStepScreenCount(w), 1);
    QCOMPARE(visibleStepScreen(w), w.form(screenOf(step)));
    QCOMPARE(control<QLabel>(w, screenOf(step), QStringLiteral("Label1"))->text(), qs(stepInfo(step).title));
    QCOMPARE(button(w, step, "Command1")->isVisible(), step != kFirstStep);
    QCOMPARE(button(w, step, "Command2")->isVisible(), step != kLastStep);
    QCOMPARE(button(w, step, "Command1")->text(), QStringLiteral("Шаг %1").arg(step - 1));
    QCOMPARE(button(w, step, "Command2")->text(), QStringLiteral("Шаг %1").arg(step + 1));
    checkMenu(w, step);
}

// Counts the paint events each widget receives.
class PaintCounts final : public QObject {
public:
    std::map<QObject*, int> paints;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints[o];
        return QObject::eventFilter(o, e);
    }
};

} // namespace

class NavigationTest final : public QObject {
    Q_OBJECT

private slots:
    void nextAndBackMoveOneStepAtATime()
    {
        auto w = startedWizard();
        checkShown(*w, 1);
        for (int step = 2; step <= kLastStep; ++step) {
            button(*w, step - 1, "Command2")->click();
            checkShown(*w, step);
        }
        for (int step = kLastStep - 1; step >= kFirstStep; --step) {
            button(*w, step + 1, "Command1")->click();
            checkShown(*w, step);
        }
    }

    // A step switch paints the new screen once, not once per pass of the back store: every widget
    // gets one paint event, and the focus that was on the old screen's button moves into the new one.
    void aStepSwitchPaintsEachWidgetOnceAndKeepsTheFocusOnTheScreen()
    {
        auto w = startedWizard();
        QWidget* window = w->window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        PaintCounts counts;
        qApp->installEventFilter(&counts);
        for (int step = kFirstStep; step < kLastStep; ++step) {
            QPushButton* next = button(*w, step, "Command2");
            next->setFocus();
            counts.paints.clear();
            next->click();
            QCoreApplication::processEvents();
            QVERIFY2(!counts.paints.empty(), qPrintable(QStringLiteral("step %1 was not painted").arg(step + 1)));
            for (const auto& [widget, paints] : counts.paints)
                QVERIFY2(paints == 1,
                    qPrintable(QStringLiteral("step %1: %2 «%3» painted %4 times")
                            .arg(step + 1)
                            .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName())
                            .arg(paints)));
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus && w->form(screenOf(step + 1))->isAncestorOf(focus),
                qPrintable(QStringLiteral("step %1: the focus left the screen").arg(step + 1)));
        }
        qApp->removeEventFilter(&counts);
    }

    void everyMenuItemReachesItsStepFromEveryScreen()
    {
        auto w = startedWizard();
        for (int from = kFirstStep; from <= kLastStep; ++from) {
            for (int to = kFirstStep; to <= kLastStep; ++to) {
                if (to == from)
                    continue;
                w->steps()->showStep(from);
                auto* form = static_cast<StepForm*>(w->form(screenOf(from)));
                form->stepAction(to)->trigger();
                checkShown(*w, to);
            }
        }
    }

    void menuCaptionsFollowTheirScreen()
    {
        auto w = startedWizard();
        w->steps()->showStep(13);
        auto* form8 = static_cast<StepForm*>(w->form(Screen::Calculation));
        QCOMPARE(form8->findChild<QAction*>(QStringLiteral("parametry111"))->text(), QStringLiteral("Непосредственное предоставление услуг"));
        auto* form5 = static_cast<StepForm*>(w->form(Screen::Staff2011));
        QCOMPARE(form5->findChild<QAction*>(QStringLiteral("raschet1"))->text(), QStringLiteral("Расчет ученика-часа"));
        auto* form7 = static_cast<StepForm*>(w->form(Screen::Simulation));
        QCOMPARE(form7->findChild<QAction*>(QStringLiteral("dannye2"))->text(), QStringLiteral("Структрура персонала"));
        auto* form4 = static_cast<StepForm*>(w->form(Screen::WorkingTime));
        QCOMPARE(form4->findChild<QAction*>(QStringLiteral("parametry111"))->text(), QStringLiteral("Непосредственное оказание услуг"));
        QCOMPARE(
            form4->findChild<QMenu*>(QStringLiteral("parametry2"))->title(), QStringLiteral("Компенсирующие группы"));
        QCOMPARE(
            form5->findChild<QMenu*>(QStringLiteral("parametry2"))->title(), QStringLiteral("Коррекционные группы"));
    }

    void helpDisablesTheStepScreensUntilItCloses()
    {
        auto w = startedWizard();
        w->steps()->showStep(7);
        static_cast<StepForm*>(w->form(Screen::Staff2011))->findChild<QAction*>(QStringLiteral("inform1"))->trigger();
        QWidget* help = w->form(Screen::Help);
        QVERIFY(help && help->isVisible());
        for (Screen screen : {Screen::WorkingTime, Screen::Staff2011, Screen::Services, Screen::Simulation})
            QVERIFY(!w->form(screen)->isEnabled());
        QVERIFY(w->form(Screen::Calculation)->isEnabled());
        help->close();
        QVERIFY(!help->isVisible());
        QVERIFY(w->form(Screen::Staff2011)->isEnabled());

        // From the calculation screen only that screen is disabled; closing help enables all five.
        w->steps()->showStep(13);
        static_cast<StepForm*>(w->form(Screen::Calculation))->findChild<QAction*>(QStringLiteral("inform1"))->trigger();
        QVERIFY(!w->form(Screen::Calculation)->isEnabled());
        control<QPushButton>(*w, Screen::Help, QStringLiteral("Command1"))->click();
        for (Screen screen : kStepScreens)
            QVERIFY(w->form(screen)->isEnabled());
    }

    void reportScreenOpensFromStep16Only()
    {
        auto w = startedWizard();
        w->steps()->showStep(16);
        auto* form8 = static_cast<StepForm*>(w->form(Screen::Calculation));
        form8->reportAction()->trigger();
        QWidget* report = w->form(Screen::Report);
        QVERIFY(report && report->isVisible());
        QVERIFY(!form8->isEnabled());
        report->close();
        QVERIFY(form8->isEnabled());
        QVERIFY(!report->isVisible());
    }

    void closingTheMainWindowEndsTheProgram()
    {
        auto w = startedWizard();
        QSignalSpy quit(w.get(), &Wizard::quitRequested);
        w->window()->close();
        QCOMPARE(quit.count(), 1);
    }
};

KVARTON_QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
