#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "model/field_captions.h"
#include "steps/step_form.h"
#include "wizard/step_controller.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

using namespace kvarton;
using namespace kvarton::test;

namespace {

const QString kHint = QStringLiteral("Введите число: цифры и запятая, например 1234567,89");

QAction* markOf(QLineEdit* field) { return field->findChild<QAction*>(field->objectName() + QStringLiteral("Mark")); }

} // namespace

class AmountMarksTest final : public QObject {
    Q_OBJECT

private slots:
    // What is typed on step 7 is judged at once by the calculation's rule, and never changed.
    void stepSevenMarksWhileTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("marked");
        QTest::newRow("comma") << QStringLiteral("1234567,89") << false;
        QTest::newRow("minus") << QStringLiteral("-500") << false;
        QTest::newRow("blanks") << QStringLiteral("12 000") << true;
        QTest::newRow("non-breaking blank") << QStringLiteral("12\u00A0000") << true;
        QTest::newRow("point") << QStringLiteral("1.5") << true;
        QTest::newRow("trailing comma") << QStringLiteral("1500,") << true;
        QTest::newRow("exponent") << QStringLiteral("1e5") << true;
        QTest::newRow("empty") << QString() << true;
    }

    void stepSevenMarksWhileTyping()
    {
        QFETCH(QString, typed);
        QFETCH(bool, marked);
        auto w = startedWizard();
        w->steps()->showStep(7);
        auto* teacher = control<QLineEdit>(*w, Screen::Staff2011, QStringLiteral("Text2"));
        auto* note = control<QLabel>(*w, Screen::Staff2011, QStringLiteral("AmountNote"));
        QVERIFY(!markOf(teacher)->isVisible());
        QVERIFY(!note->isVisible());
        QTest::keyClick(teacher, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(teacher, Qt::Key_Delete);
        QTest::keyClicks(teacher, typed);
        QCOMPARE(teacher->text(), typed);
        QCOMPARE(markOf(teacher)->isVisible(), marked);
        QCOMPARE(teacher->accessibleDescription(), marked ? kHint : QString());
        QCOMPARE(teacher->toolTip(), marked ? kHint : QString());
        QCOMPARE(note->isVisible(), marked);
        // Leaving the step keeps the text as typed.
        w->steps()->commitCurrentStep();
        w->steps()->showStep(8);
        QCOMPARE(QString::fromStdString(w->model().payroll2011[StaffRole::Teacher].displayText()), typed);
        QVERIFY(!note->isVisible());
    }

    void stepTwelveCountsItsSalaries()
    {
        auto w = startedWizard();
        w->steps()->showStep(12);
        auto* note = control<QLabel>(*w, Screen::Simulation, QStringLiteral("AmountNote"));
        control<QLineEdit>(*w, Screen::Simulation, QStringLiteral("Text3"))->setText(QStringLiteral("16.000"));
        control<QLineEdit>(*w, Screen::Simulation, QStringLiteral("Text12"))->setText(QStringLiteral("14 000"));
        auto* clerk = control<QLineEdit>(*w, Screen::Simulation, QStringLiteral("Text4"));
        QVERIFY(!markOf(clerk)->isVisible());
        QVERIFY(markOf(control<QLineEdit>(*w, Screen::Simulation, QStringLiteral("Text12")))->isVisible());
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(),
            QStringLiteral("Проверьте 2 поля: расчет на шагах 13–16 примет только число, например 1234567,89"));
        w->steps()->showStep(11);
        QVERIFY(!note->isVisible());
    }

    // Each input is named as its step shows it: every caption part of its name is shown on that
    // step, as a label or within one (the age in the head of a box of steps 9 and 10).
    void namesAreTheCaptionsOfTheSteps()
    {
        auto w = startedWizard();
        for (int step = 1; step <= 12; ++step) {
            w->steps()->showStep(step);
            QStringList shown;
            for (QLabel* label : visibleStepScreen(*w)->findChildren<QLabel*>())
                if (label->isVisible())
                    shown << label->text();
            const auto isShown = [&](const QString& part) {
                return std::any_of(shown.begin(), shown.end(), [&](const QString& t) { return t.contains(part); });
            };
            for (FieldRef r : inputFields()) {
                const FieldPlace place = fieldPlace(r);
                if (place.step != step)
                    continue;
                for (std::string_view part : place.parts)
                    QVERIFY2(isShown(qs(part)),
                        qPrintable(QStringLiteral("step %1 shows no \"%2\"").arg(step).arg(qs(part))));
            }
        }
    }
};

KVARTON_QTEST_MAIN(AmountMarksTest)
#include "amount_marks_test.moc"
