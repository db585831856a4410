#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "steps/choice_list.h"
#include "wizard/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

using namespace kvarton;
using namespace kvarton::test;

namespace {

// The whole window, frame included, lies on the screen's free area with its centre in the middle.
void checkCentredOnScreen(const QWidget& window)
{
    const QRect free = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    QVERIFY2(free.contains(frame),
        qPrintable(
            QStringLiteral("%1x%2 at %3,%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())));
    QVERIFY(qAbs(frame.center().x() - free.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - free.center().y()) <= 1);
}

} // namespace

class StartAndPersonalDataTest final : public QObject {
    Q_OBJECT

private slots:
    void informationScreenIsModalToTheStartScreen()
    {
        Wizard w;
        w.start();
        for (int round = 0; round < 2; ++round) {
            control<QPushButton>(w, Screen::Start, QStringLiteral("Command1"))->click();
            QWidget* info = w.form(Screen::DataList);
            QVERIFY(info->isVisible());
            QVERIFY(w.form(Screen::Start)->isVisible());
            QVERIFY(!w.form(Screen::Start)->isEnabled());
            if (round == 0)
                control<QPushButton>(w, Screen::DataList, QStringLiteral("Command1"))->click();
            else
                info->close(); // the close box does the same
            QVERIFY(!info->isVisible());
            QVERIFY(w.form(Screen::Start)->isEnabled());
        }
    }

    void theWindowOpensCentredOnTheScreenAndAgainWhenTheStepsAreMade()
    {
        Wizard w;
        w.start();
        checkCentredOnScreen(*w.window());
        const auto started = startedWizard();
        checkCentredOnScreen(*started->window());
    }

    void anEmptyNameShowsTheRedMessageAndWritesNothing()
    {
        Wizard w;
        w.start();
        control<QPushButton>(w, Screen::Start, QStringLiteral("Command2"))->click();
        QVERIFY(!w.form(Screen::Start)->isVisible());
        auto* name = control<QLineEdit>(w, Screen::PersonalData, QStringLiteral("Text1"));
        QVERIFY(!name->isVisible()); // appears once a region is chosen
        control<QPushButton>(w, Screen::PersonalData, QStringLiteral("Command2"))->click();
        auto* message = control<QLabel>(w, Screen::PersonalData, QStringLiteral("Label8"));
        QVERIFY(message->isVisible());
        QCOMPARE(message->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(w.model().currentStep, 0);
        QVERIFY(w.model().payroll2011PedTotal.isEmpty());
        QVERIFY(w.model().institutionName.empty());

        control<ChoiceList>(w, Screen::PersonalData, QStringLiteral("Combo1"))
            ->choose(QStringLiteral("Камчатский край"));
        QVERIFY(name->isVisible());
        QCOMPARE(w.model().regionName, std::string("Камчатский край"));
        name->setText(QStringLiteral(" "));
        control<QLineEdit>(w, Screen::PersonalData, QStringLiteral("Text2"))->setText(QStringLiteral(" Иванова "));
        control<QPushButton>(w, Screen::PersonalData, QStringLiteral("Command2"))->click();
        QCOMPARE(w.model().currentStep, 1);
        QCOMPARE(w.model().institutionName, std::string(" "));
        QCOMPARE(w.model().surname, std::string(" Иванова "));
        QCOMPARE(w.model().serviceSalary[ServicePosition::Accountant], ModelValue::text("10291"));
        QVERIFY(!w.form(Screen::PersonalData)->isVisible());
        QCOMPARE(w.window()->windowTitle(), QStringLiteral("Аналитические параметры — Квартон"));
    }

    void theLastRegionChosenCounts()
    {
        Wizard w;
        w.start();
        control<QPushButton>(w, Screen::Start, QStringLiteral("Command2"))->click();
        auto* regions = control<ChoiceList>(w, Screen::PersonalData, QStringLiteral("Combo1"));
        QCOMPARE(regions->count(), 83);
        QCOMPARE(regions->currentIndex(), -1);
        regions->choose(QStringLiteral("Камчатский край"));
        regions->choose(QStringLiteral("Республика Бурятия"));
        control<QLineEdit>(w, Screen::PersonalData, QStringLiteral("Text1"))->setText(QStringLiteral("Сад"));
        control<QPushButton>(w, Screen::PersonalData, QStringLiteral("Command2"))->click();
        QCOMPARE(w.model().regionName, std::string("Республика Бурятия"));
        QCOMPARE(w.model().regionalNormative[StayRegime::ShortTerm][AgeGroup::Junior][NormativePart::Total],
            ModelValue::single(9956.0f));
    }

    // A field that stops taking keys says so under it; nothing else on the screen moves or changes.
    void aFullFieldSaysSoAndNothingElseMoves()
    {
        Wizard w;
        w.start();
        control<QPushButton>(w, Screen::Start, QStringLiteral("Command2"))->click();
        control<ChoiceList>(w, Screen::PersonalData, QStringLiteral("Combo1"))
            ->choose(QStringLiteral("Камчатский край"));
        QWidget* form = w.form(Screen::PersonalData);
        auto* name = control<QLineEdit>(w, Screen::PersonalData, QStringLiteral("Text1"));
        auto* surname = control<QLineEdit>(w, Screen::PersonalData, QStringLiteral("Text2"));
        auto* initial = control<QLineEdit>(w, Screen::PersonalData, QStringLiteral("Text3"));
        auto* nameNote = control<QLabel>(w, Screen::PersonalData, QStringLiteral("NameLengthNote"));
        auto* personNote = control<QLabel>(w, Screen::PersonalData, QStringLiteral("PersonLengthNote"));
        // The note of an empty surname goes when one is typed, and keeps its place as these do.
        auto* surnameNote = control<QLabel>(w, Screen::PersonalData, QStringLiteral("SurnameNote"));
        auto layoutNow = [&] {
            QApplication::processEvents();
            QStringList places;
            for (QWidget* child : form->findChildren<QWidget*>())
                if (child != nameNote && child != personNote && child != surnameNote) {
                    const QRect r = child->geometry();
                    places << QStringLiteral("%1 %2,%3 %4x%5 %6")
                                  .arg(child->objectName())
                                  .arg(r.x())
                                  .arg(r.y())
                                  .arg(r.width())
                                  .arg(r.height())
                                  .arg(child->isVisible());
                }
            return places;
        };
        const QStringList before = layoutNow();
        QVERIFY(!nameNote->isVisible() && !personNote->isVisible());

        name->setFocus();
        name->setText(QString(999, u'я'));
        QVERIFY(!nameNote->isVisible());
        QTest::keyClick(name, Qt::Key_A);
        QCOMPARE(name->text().size(), 1000);
        QVERIFY(nameNote->isVisible());
        QCOMPARE(nameNote->text(), QStringLiteral("Наименование может содержать не более 1000 знаков."));
        QCOMPARE(name->accessibleDescription(), nameNote->text()); // a screen reader tells it with the field
        QTest::keyClick(name, Qt::Key_B); // refused, as before
        QCOMPARE(name->text().size(), 1000);

        surname->setText(QString(300, u'ж')); // pasted: cut to the limit
        QCOMPARE(surname->text().size(), 255);
        QCOMPARE(personNote->text(), QStringLiteral("Фамилия может содержать не более 255 знаков."));
        initial->setText(QString(255, u'И'));
        QCOMPARE(personNote->text(), QStringLiteral("Инициал имени может содержать не более 255 знаков."));
        QCOMPARE(layoutNow(), before);

        initial->clear();
        QCOMPARE(personNote->text(), QStringLiteral("Фамилия может содержать не более 255 знаков."));
        surname->backspace();
        QTest::keyClick(name, Qt::Key_Backspace);
        QVERIFY(!nameNote->isVisible() && !personNote->isVisible());
        QVERIFY(name->accessibleDescription().isEmpty());
        QCOMPARE(layoutNow(), before);
    }
};

KVARTON_QTEST_MAIN(StartAndPersonalDataTest)
#include "start_and_personal_data_test.moc"
