#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "steps/choice_list.h"
#include "steps/step_form.h"
#include "wizard/step_controller.h"

#include <QLineEdit>
#include <QPushButton>

#include <map>
#include <set>

using namespace kvarton;
using namespace kvarton::test;

namespace {

// The input controls that show on the current step, in the screen's order.
QList<QWidget*> visibleInputs(Wizard& w)
{
    QList<QWidget*> inputs;
    for (QWidget* child : visibleStepScreen(w)->findChildren<QWidget*>())
        if ((qobject_cast<ChoiceList*>(child) || qobject_cast<QLineEdit*>(child)) && child->isVisible())
            inputs << child;
    return inputs;
}

QString shown(QWidget* input)
{
    if (auto* list = qobject_cast<ChoiceList*>(input))
        return list->currentText();
    return static_cast<QLineEdit*>(input)->text();
}

std::set<std::size_t> changedFields(const InstitutionModel& before, const InstitutionModel& after)
{
    std::set<std::size_t> changed;
    const auto fields = inputFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (!(field(before, fields[i]) == field(after, fields[i])))
            changed.insert(i);
    return changed;
}

} // namespace

class RoundTripTest final : public QObject {
    Q_OBJECT

private slots:
    // Show, change every control, leave (commit), come back: each control shows its new value, and
    // each fed a field of its own.
    void everyInputStepKeepsEveryChange_data()
    {
        QTest::addColumn<int>("step");
        for (int step = 1; step <= 12; ++step)
            QTest::newRow(qPrintable(QStringLiteral("step %1").arg(step))) << step;
    }

    void everyInputStepKeepsEveryChange()
    {
        QFETCH(int, step);
        auto w = startedWizard();
        w->steps()->showStep(step);
        const InstitutionModel before = w->model();
        const QList<QWidget*> inputs = visibleInputs(*w);
        QVERIFY(!inputs.isEmpty());
        QStringList typed;
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            if (auto* list = qobject_cast<ChoiceList*>(inputs[i])) {
                const int row = (list->currentIndex() + 1 + static_cast<int>(i) * 7) % list->count();
                list->choose(list->itemText(row));
            } else {
                static_cast<QLineEdit*>(inputs[i])->setText(QStringLiteral("%1,5").arg(1000 + i));
            }
            typed << shown(inputs[i]);
        }

        visibleStepScreen(*w)->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        QCOMPARE(changedFields(before, w->model()).size(), static_cast<std::size_t>(inputs.size()));
        visibleStepScreen(*w)->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCOMPARE(w->model().currentStep, step);
        for (qsizetype i = 0; i < inputs.size(); ++i)
            QCOMPARE(shown(inputs[i]), typed[i]);
    }

    void singleFieldsReceiveNumbers()
    {
        auto w = startedWizard();
        const struct {
            int step;
            Screen form;
            const char* control;
            const char* text;
            FieldRef field;
        } cases[] = {
            {6, Screen::WorkingTime, "Combo13", "0,05",
                fields::otherHours(GroupKind::Compensating, StaffRole::TeacherAssistant)},
            {8, Screen::Staff2011, "Combo16", "14,5", fields::positions2011Service()},
            {11, Screen::Simulation, "Combo29", "12",
                fields::groupSize(GroupOrientation::Compensating, AgeBand::ThreeAndOver)},
        };
        for (const auto& c : cases) {
            w->steps()->showStep(c.step);
            control<ChoiceList>(*w, c.form, QString::fromLatin1(c.control))->choose(QString::fromUtf8(c.text));
            w->steps()->commitCurrentStep();
            QVERIFY(field(w->model(), c.field).isSingle());
            QCOMPARE(field(w->model(), c.field).displayText(), std::string(c.text));
        }

        // A salary that is no number stays text, for the input check to reject.
        w->steps()->showStep(12);
        auto* salary = control<QLineEdit>(*w, Screen::Simulation, QStringLiteral("Text12"));
        salary->setText(QStringLiteral("14000,5"));
        w->steps()->commitCurrentStep();
        QCOMPARE(w->model().serviceSalary[ServicePosition::OtherPositions], ModelValue::single(14000.5f));
        salary->setText(QStringLiteral("14 000"));
        w->steps()->commitCurrentStep();
        QCOMPARE(w->model().serviceSalary[ServicePosition::OtherPositions], ModelValue::text("14 000"));
        w->steps()->showStep(11);
        w->steps()->showStep(12);
        QCOMPARE(salary->text(), QStringLiteral("14 000"));
    }

    void stepsNineAndTenShareListsWithoutLeaking()
    {
        auto w = startedWizard();
        w->steps()->showStep(9);
        auto* juniorShortTerm = control<ChoiceList>(*w, Screen::Services, QStringLiteral("Combo4"));
        QCOMPARE(juniorShortTerm->currentText(), QStringLiteral("0"));
        juniorShortTerm->choose(QStringLiteral("7"));
        control<QPushButton>(*w, Screen::Services, QStringLiteral("Command2"))->click();
        QCOMPARE(w->model().currentStep, 10);
        QCOMPARE(w->model().assignedServices[StayRegime::ShortTerm][AgeGroup::Junior], ModelValue::text("7"));
        QCOMPARE(juniorShortTerm->currentText(), QStringLiteral("0"));
        QCOMPARE(w->model()
                     .providedServices[AgeGroup::Junior][GroupOrientation::GeneralDevelopment][StayMode::Hours5]
                     .displayText(),
            std::string("0"));
        QCOMPARE(visibleInputs(*w).size(), 60);
        control<QPushButton>(*w, Screen::Services, QStringLiteral("Command1"))->click();
        QCOMPARE(visibleInputs(*w).size(), 6);
        QCOMPARE(juniorShortTerm->currentText(), QStringLiteral("7"));
    }

    void aValueThatIsNoItemLeavesItsFieldAlone()
    {
        auto w = startedWizard();
        w->model().directHours[GroupKind::GeneralDay][StaffRole::Teacher] = ModelValue::text("7,77");
        w->steps()->showStep(1);
        auto* teacher = control<ChoiceList>(*w, Screen::WorkingTime, QStringLiteral("Combo2"));
        QCOMPARE(teacher->currentIndex(), -1);
        w->steps()->commitCurrentStep();
        QCOMPARE(w->model().directHours[GroupKind::GeneralDay][StaffRole::Teacher], ModelValue::text("7,77"));
    }
};

KVARTON_QTEST_MAIN(RoundTripTest)
#include "round_trip_test.moc"
