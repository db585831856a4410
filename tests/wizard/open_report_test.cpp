#include "support/qtest_main.h"
#include "support/wizard_fixture.h"

#include "steps/step_form.h"
#include "wizard/main_window.h"
#include "wizard/report_screen.h"
#include "wizard/step_controller.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace kvarton;
using namespace kvarton::test;

#ifndef KVARTON_FUZZ_CORPUS
#error "the tests open the workbooks of the fuzz corpus"
#endif

namespace {

QString corpusFile(const char* name) { return QStringLiteral(KVARTON_FUZZ_CORPUS "/") + QString::fromLatin1(name); }

} // namespace

class OpenReportTest final : public QObject {
    Q_OBJECT

private slots:
    // The file the learner chooses opens on step 13; the personal data is never asked.
    void aChosenReportOpensOnStepThirteen()
    {
        Wizard w;
        QStringList asked;
        w.setFileChooser([&](QWidget*, const QString& title, const QString& filter) {
            asked << title << filter;
            return corpusFile("report-libreoffice.xlsx");
        });
        w.start();
        control<QPushButton>(w, QStringLiteral("Form1"), QStringLiteral("OpenReport"))->click();
        QCOMPARE(asked.value(0), QStringLiteral("Открыть отчет"));
        QVERIFY(asked.value(1).contains(QStringLiteral("*.xlsx")));
        QCOMPARE(w.model().currentStep, 13);
        QCOMPARE(visibleStepScreen(w), w.form(QStringLiteral("Form8")));
        QCOMPARE(
            w.window()->windowTitle(), w.form(QStringLiteral("Form8"))->windowTitle() + QStringLiteral(" — Квартон"));
        QVERIFY(w.form(QStringLiteral("Form3")) == nullptr);
        QVERIFY(!w.model().institutionName.empty());
        // Every step can be walked, and the menu reaches the report screen from step 16.
        w.steps()->showStep(16);
        QVERIFY(w.steps()->formOf(16)->reportAction()->isEnabled());
    }

    // A failure changes nothing but the line on the start screen; a cancelled dialog not even that.
    void aFileThatIsNoReportChangesNothing()
    {
        Wizard w;
        QString answer = corpusFile("foreign.xlsx");
        w.setFileChooser([&](QWidget*, const QString&, const QString&) { return answer; });
        w.start();
        auto* open = control<QPushButton>(w, QStringLiteral("Form1"), QStringLiteral("OpenReport"));
        auto* problem = control<QLabel>(w, QStringLiteral("Form1"), QStringLiteral("OpenReportProblem"));
        QVERIFY(!problem->isVisible());
        open->click();
        QVERIFY(problem->isVisible());
        QVERIFY(problem->text().startsWith(QStringLiteral("Файл «foreign.xlsx» не открыт: это не отчет Квартона")));
        QCOMPARE(w.model().currentStep, 0);
        QVERIFY(w.steps() == nullptr);
        QCOMPARE(w.window()->currentPage(), w.form(QStringLiteral("Form1")));

        answer.clear();
        open->click();
        QVERIFY(problem->isVisible());
        QCOMPARE(w.model().currentStep, 0);

        // The next report that opens clears the line, and the learner sees no trace of it.
        answer = corpusFile("report.xlsx");
        open->click();
        QVERIFY(problem->text().isEmpty());
        QCOMPARE(w.model().currentStep, 13);
    }

    // A report opened and written again holds what the opened one held.
    void anOpenedReportCanBeWrittenAgain()
    {
        QTemporaryDir folder;
        qputenv("KVARTON_REPORT_DIR", folder.path().toUtf8());
        Wizard w;
        w.start();
        QVERIFY(!w.openReport(corpusFile("report-kopecks.xlsx")).has_value());
        const InstitutionModel opened = w.model();
        w.steps()->showStep(16);
        w.steps()->formOf(16)->reportAction()->trigger();
        control<QPushButton>(w, QStringLiteral("Form10"), QStringLiteral("Command2"))->click();
        const QString written = w.steps()->reportScreen()->lastReport();
        QVERIFY(!written.isEmpty());

        Wizard again;
        again.start();
        QVERIFY(!again.openReport(written).has_value());
        for (FieldRef f : inputFields())
            QCOMPARE(field(again.model(), f), field(opened, f));
        QCOMPARE(again.model().institutionName, opened.institutionName);
        qunsetenv("KVARTON_REPORT_DIR");
    }
};

KVARTON_QTEST_MAIN(OpenReportTest)
#include "open_report_test.moc"
