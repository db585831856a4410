#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "model/personal_data.h"
#include "steps/choice_list.h"
#include "wizard/main_window.h"
#include "wizard/step_controller.h"
#include "wizard/work_keeper.h"
#include "wizard/work_list_screen.h"
#include "work/durable_file.h"
#include "work/saved_work.h"
#include "work/work_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
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
            json.replace(json.find("\"1.1\""), 5, "\"1.4\"");
            json.replace(json.find("\"fields\": {"), 11, "\"notes\": [\"заметка\"],\n  \"fields\": {\"later.key\": 5,");
            std::ofstream(file, std::ios::binary) << json;
        }
        Wizard w(pathOf(folder.path()));
        w.start();
        QVERIFY(control<QLabel>(w, Screen::Start, QStringLiteral("LastWork"))
                    ->text()
                    .startsWith(QStringLiteral("Последняя работа: г. Москва, «Сад №\u00A02», шаг 8, ")));
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

    // A work that cannot be written is said once, with the folder and the reason; the learner goes on.
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
        QCOMPARE(failed.at(0).at(0).toString(),
            QStringLiteral("папка сохраненных работ «%1» не создана: «%2» — это файл, а не папка")
                .arg(pathText(blocked / "works"), pathText(blocked)));
        auto* box = w.window()->findChild<QMessageBox*>(QStringLiteral("SaveProblem"));
        QVERIFY(box && box->isVisible());
        QCOMPARE(w.model().currentStep, 1);
        // Each later commit tries again, without saying the same again.
        control<QPushButton>(w, Screen::WorkingTime, QStringLiteral("Command2"))->click();
        QApplication::processEvents();
        w.keeper().waitUntilSaved();
        QTRY_COMPARE(failed.count(), 2);
        QCOMPARE(w.window()->findChildren<QMessageBox*>(QStringLiteral("SaveProblem")).size(), 1);
    }

#ifndef Q_OS_WIN
    // Without a home folder the program keeps no work under the root of the file system: it says
    // which folder it needed and why.
    void noHomeFolderIsSaid()
    {
        const QByteArray home = qgetenv("HOME");
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        const QByteArray works = qgetenv("KVARTON_WORKS_DIR");
        qunsetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("KVARTON_WORKS_DIR");
        const WorksFolder none = savedWorksFolder();
        qputenv("HOME", home);
        qputenv("XDG_DATA_HOME", dataHome);
        qputenv("KVARTON_WORKS_DIR", works);
        QCOMPARE(none.unusable,
            QStringLiteral("не задана домашняя папка (переменная окружения HOME), а сохраненные работы хранятся в ней, "
                           "в папке «.local/share/kvarton»"));

        Wizard w(none);
        QSignalSpy failed(&w.keeper(), &WorkKeeper::saveFailed);
        begin(w, QStringLiteral("Сад № 4"));
        QApplication::processEvents();
        w.keeper().waitUntilSaved();
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), none.unusable);
        QVERIFY(w.keeper().file().empty());
        QVERIFY(!control<QPushButton>(w, Screen::Start, QStringLiteral("Continue"))->isVisibleTo(w.window()));
    }
#endif

    // Two copies of the program on one folder: the second cannot continue the work the first
    // shows, is told so, and may continue a copy of it, a new work; neither writes the other's file.
    void aWorkOpenInAnotherWindowIsContinuedAsACopy()
    {
        QTemporaryDir folder;
        const std::filesystem::path works = pathOf(folder.path());
        {
            Wizard first(works);
            begin(first, QStringLiteral("Сад № 5"));
            first.window()->close();
        }
        auto first = std::make_unique<Wizard>(works);
        first->start();
        control<QPushButton>(*first, Screen::Start, QStringLiteral("Continue"))->click();
        const std::filesystem::path file = first->keeper().file();
        QVERIFY(!file.empty());

        Wizard second(works);
        second.start();
        control<QPushButton>(second, Screen::Start, QStringLiteral("Continue"))->click();
        QVERIFY(second.form(Screen::WorkingTime) == nullptr);
        QCOMPARE(control<QLabel>(second, Screen::Start, QStringLiteral("OpenReportProblem"))->text(),
            QStringLiteral("Сохраненная работа «%1» не открыта: она открыта в другом окне программы. Продолжите ее в "
                           "том окне или нажмите «продолжить копию»: копия станет новой работой с теми же данными, а "
                           "эта останется как есть.")
                .arg(pathText(file.filename())));
        auto* copy = control<QPushButton>(second, Screen::Start, QStringLiteral("ContinueCopy"));
        QVERIFY(copy->isVisibleTo(second.window()));

        // The first goes on; then the second continues a copy and goes on too.
        control<ChoiceList>(*first, Screen::WorkingTime, QStringLiteral("Combo2"))->choose(QStringLiteral("9,5"));
        control<QPushButton>(*first, Screen::WorkingTime, QStringLiteral("Command2"))->click();
        QApplication::processEvents();
        QCOMPARE(saved(*first).step, 2);
        copy->click();
        QCOMPARE(second.model().institutionName, std::string("Сад № 5"));
        QApplication::processEvents();
        QCOMPARE(saved(second).step, 2);
        QVERIFY(second.keeper().file() != file);
        control<QPushButton>(second, Screen::WorkingTime, QStringLiteral("Command2"))->click();
        QApplication::processEvents();
        QCOMPARE(saved(second).step, 3);
        QCOMPARE(saved(*first).step, 2);
        QCOMPARE(work::workFiles(works).size(), std::size_t{2});

        // Once the first has ended, the work is free to continue.
        first->window()->close();
        first.reset();
        Wizard third(works);
        QCOMPARE(third.continueWork(file), std::nullopt);
        QCOMPARE(third.keeper().file(), file);
        QCOMPARE(third.model().currentStep, 2);
    }

    // The list of works names the entries of the folder it passes over, and why.
    void theListNamesWhatItPassesOver()
    {
        QTemporaryDir folder;
        const std::filesystem::path works = pathOf(folder.path());
        {
            Wizard first(works);
            begin(first, QStringLiteral("Сад № 6"));
            first.window()->close();
        }
        std::filesystem::create_directories(works / "work-20260101-080000.json" / "inside");
        Wizard w(works);
        w.start();
        control<QPushButton>(w, Screen::Start, QStringLiteral("OpenWork"))->click();
        auto* skipped = control<QLabel>(w, Screen::WorkList, QStringLiteral("SkippedWorks"));
        QVERIFY(skipped->isVisibleTo(w.form(Screen::WorkList)));
        QCOMPARE(skipped->text(),
            QStringLiteral("В папке «%1» пропущены:\n«work-20260101-080000.json»: это не файл, а папка")
                .arg(folder.path()));
    }

    // A work the teacher made of a report, though newer, is never offered as the last work; the
    // list marks it, and a work removed after its confirmation leaves the folder with its previous
    // version, for the trash (here the test's own).
    void aReportsWorkIsNotTheLastAndAWorkIsRemoved()
    {
        QTemporaryDir folder;
        const std::filesystem::path works = pathOf(folder.path()) / "works";
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder.path()));
        {
            Wizard first(works);
            begin(first, QStringLiteral("Сад № 6"));
            control<QPushButton>(first, Screen::WorkingTime, QStringLiteral("Command2"))->click();
            first.window()->close();
        }
        {
            InstitutionModel m;
            m.regionName = "г. Москва";
            confirmPersonalData(m, {m.regionName, "Ясли № 2", "Петрова", "", ""});
            m.currentStep = 13;
            m.reportFile = "Отчет Квартон — Петрова.xlsx";
            std::ofstream(works / "work-20990101-000000.json", std::ios::binary)
                << work::workJson(work::captureWork(m, savedTimeNow()));
        }
        Wizard w(works);
        w.start();
        QVERIFY(control<QLabel>(w, Screen::Start, QStringLiteral("LastWork"))
                    ->text()
                    .contains(QStringLiteral("Сад №\u00A06")));
        control<QPushButton>(w, Screen::Start, QStringLiteral("OpenWork"))->click();
        auto* list = static_cast<WorkListScreen*>(w.form(Screen::WorkList));
        auto* table = control<QTableWidget>(w, Screen::WorkList, QStringLiteral("Works"));
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Отчет: Петрова"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("Сад №\u00A06"));
        QCOMPARE(table->item(1, 3)->text(), QStringLiteral("2"));

        const std::filesystem::path own = work::workFiles(works).back();
        if (!std::filesystem::exists(work::previousVersionOf(own))) // the writer may have joined the saves
            std::filesystem::copy_file(own, work::previousVersionOf(own));
        static QString asked;
        list->setConfirm([](QWidget*, const QString& question) {
            asked = question;
            return false;
        });
        table->setCurrentCell(1, 0);
        control<QPushButton>(w, Screen::WorkList, QStringLiteral("RemoveWork"))->click();
        QVERIFY2(asked.contains(QStringLiteral("«фамилия не указана, Сад №\u00A06, Камчатский край, 2, ")),
            qPrintable(asked));
        QVERIFY(std::filesystem::exists(own)); // not confirmed: nothing happens
        list->setConfirm([](QWidget*, const QString&) { return true; });
        control<QPushButton>(w, Screen::WorkList, QStringLiteral("RemoveWork"))->click();
        QVERIFY(!std::filesystem::exists(own));
        QVERIFY(!std::filesystem::exists(work::previousVersionOf(own)));
        QCOMPARE(table->rowCount(), 1);
        QVERIFY(!control<QLabel>(w, Screen::Start, QStringLiteral("LastWork"))->isVisibleTo(w.form(Screen::Start)));
        QVERIFY(QDir(folder.path() + QStringLiteral("/Trash/files")).count() >= 2
            || QDir(pathText(works) + QStringLiteral("/удаленные")).count() >= 2);
        qunsetenv("XDG_DATA_HOME");
    }
};

KVARTON_QTEST_MAIN(SavedWorkTest)
#include "saved_work_test.moc"
