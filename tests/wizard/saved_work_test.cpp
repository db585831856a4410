#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "model/personal_data.h"
#include "steps/choice_list.h"
#include "wizard/main_window.h"
#include "wizard/step_controller.h"
#include "wizard/work_keeper.h"
#include "work/work_folder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <fstream>

using namespace kvarton;
using namespace kvarton::test;

namespace {

// Through the start and the personal data to step 1, as a learner goes.
void begin(Wizard& w, const QString& institution)
{
    w.start();
    control<QPushButton>(w, Screen::Start, QStringLiteral("Command2"))->click();
    control<ChoiceList>(w, Screen::PersonalData, QStringLiteral("Combo1"))->choose(QStringLiteral("Камчатский край"));
    control<QLineEdit>(w, Screen::PersonalData, QStringLiteral("Text1"))->setText(institution);
    control<QPushButton>(w, Screen::PersonalData, QStringLiteral("Command2"))->click();
}

work::SavedWork saved(Wizard& w)
{
    w.keeper().waitUntilSaved();
    const work::WorkEntry entry = work::readEntry(w.keeper().file());
    if (!entry.work)
        QTest::qFail(entry.problem.c_str(), __FILE__, __LINE__);
    return entry.work.value_or(work::SavedWork{});
}

std::string savedText(const work::SavedWork& work, FieldRef ref)
{
    for (const auto& [f, text] : work.fields)
        if (f == ref)
            return text;
    return "(none)";
}

} // namespace

class SavedWorkTest final : public QObject {
    Q_OBJECT

private slots:
    // A work is saved when it begins and after every commit, once the switched screen has been
    // painted; closing the window saves the entries of the step shown as a commit would.
    void commitsAndTheCloseAreSaved()
    {
        QTemporaryDir folder;
        Wizard w(pathOf(folder.path()));
        begin(w, QStringLiteral("Сад № 1"));
        QApplication::processEvents();
        QCOMPARE(saved(w).institution, std::string("Сад № 1"));
        QCOMPARE(saved(w).step, 1);

        control<ChoiceList>(w, Screen::WorkingTime, QStringLiteral("Combo2"))->choose(QStringLiteral("9,5"));
        control<QPushButton>(w, Screen::WorkingTime, QStringLiteral("Command2"))->click();
        QCOMPARE(saved(w).step, 1); // not yet: the save follows the paint
        QApplication::processEvents();
        const work::SavedWork afterNext = saved(w);
        QCOMPARE(afterNext.step, 2);
        QCOMPARE(savedText(afterNext, fields::directHours(GroupKind::GeneralDay, StaffRole::Teacher)), "9,5");

        w.steps()->showStep(7);
        control<QLineEdit>(w, Screen::Staff2011, QStringLiteral("Text2"))->setText(QStringLiteral("123,45"));
        QSignalSpy quit(&w, &Wizard::quitRequested);
        w.window()->close();
        QCOMPARE(quit.count(), 1);
        const work::SavedWork atClose = saved(w);
        QCOMPARE(atClose.step, 7);
        QCOMPARE(savedText(atClose, fields::payroll2011(StaffRole::Teacher)), "123,45");
        QCOMPARE(work::workFiles(pathOf(folder.path())).size(), std::size_t{1});
    }

    // What a later version of the program wrote beside the fields this one knows goes back into
    // the file when the continued work is saved.
    void aContinuedWorkKeepsWhatALaterVersionAdded()
    {
        QTemporaryDir folder;
        const std::filesystem::path file = pathOf(folder.path()) / "work-20260101-080000.json";
        {
            InstitutionModel m;
            m.regionName = "г. Москва";
            confirmPersonalData(m, {m.regionName, "Сад № 2", "", "", ""});
            m.currentStep = 8;
            std::string json = work::workJson(work::captureWork(m, savedTimeNow()));
            json.replace(json.find("\"1.0\""), 5, "\"1.4\"");
            json.replace(json.find("\"fields\": {"), 11, "\"notes\": [\"заметка\"],\n  \"fields\": {\"later.key\": 5,");
            std::ofstream(file, std::ios::binary) << json;
        }
        Wizard w(pathOf(folder.path()));
        w.start();
        QVERIFY(control<QLabel>(w, Screen::Start, QStringLiteral("LastWork"))
                    ->text()
                    .startsWith(QStringLiteral("Последняя работа: г. Москва, «Сад № 2», шаг 8, ")));
        control<QPushButton>(w, Screen::Start, QStringLiteral("Continue"))->click();
        QCOMPARE(w.model().currentStep, 8);
        QCOMPARE(w.model().institutionName, std::string("Сад № 2"));
        QVERIFY(w.form(Screen::PersonalData) == nullptr);
        control<QPushButton>(w, Screen::Staff2011, QStringLiteral("Command2"))->click();
        QApplication::processEvents();
        QCOMPARE(w.keeper().file(), file);
        const work::SavedWork again = saved(w);
        QCOMPARE(again.step, 9);
        QCOMPARE(again.kept.format, (work::FormatVersion{1, 4}));
        QCOMPARE(again.kept.top.size(), std::size_t{1});
        QCOMPARE(again.kept.fields.size(), std::size_t{1});
    }

    // A work that cannot be written is said once, with the file and the reason; the learner goes on.
    void aSaveThatFailsIsShown()
    {
        QTemporaryDir folder;
        const std::filesystem::path blocked = pathOf(folder.path()) / "file";
        std::ofstream(blocked) << "x"; // the works' folder cannot be made under a file
        Wizard w(blocked / "works");
        QSignalSpy failed(&w.keeper(), &WorkKeeper::saveFailed);
        begin(w, QStringLiteral("Сад № 3"));
        QApplication::processEvents();
        w.keeper().waitUntilSaved();
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY(failed.at(0).at(0).toString().contains(QStringLiteral("«work-")));
        auto* box = w.window()->findChild<QMessageBox*>(QStringLiteral("SaveProblem"));
        QVERIFY(box && box->isVisible());
        QCOMPARE(w.model().currentStep, 1);
    }
};

KVARTON_QTEST_MAIN(SavedWorkTest)
#include "saved_work_test.moc"
