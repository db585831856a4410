#include "support/environment.h"
#include "support/wizard_fixture.h"

#include "steps/step_form.h"
#include "wizard/main_window.h"
#include "wizard/report_screen.h"
#include "wizard/step_controller.h"
#include "wizard/test_switches.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace kvarton;
using namespace kvarton::test;

namespace {

ReportScreen* openReport(Wizard& w)
{
    w.steps()->showStep(16);
    w.steps()->formOf(16)->menuAction("inform2")->trigger();
    return w.steps()->reportScreen();
}

void press(Wizard& w) { control<QPushButton>(w, Screen::Report, QStringLiteral("Command2"))->click(); }

QString status(Wizard& w) { return control<QLabel>(w, Screen::Report, QStringLiteral("ReportStatus"))->text(); }

} // namespace

class ReportScreenTest final : public QObject {
    Q_OBJECT

private slots:
    void everyPressWritesANewWorkbookIntoAFolderMadeForIt()
    {
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("Документы/отчеты"));
        setEnvironment(testSwitches::kReportFolder, folder);
        auto w = startedWizard();
        ReportScreen* report = openReport(*w);
        press(*w);
        const QString first = report->lastReport();
        press(*w);
        const QString second = report->lastReport();
        QVERIFY(!first.isEmpty());
        QVERIFY(first != second);
        QVERIFY(QFile::exists(first) && QFile::exists(second));
        QCOMPARE(QFileInfo(first).absolutePath(), QDir(folder).absolutePath());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2); // nothing half-written is left
        QVERIFY(status(*w).contains(QDir::toNativeSeparators(second)));
        QVERIFY(status(*w).contains(QStringLiteral("Откройте этот файл"))); // offscreen: no program opened it
    }

    void aFolderThatCannotBeMadeIsReported()
    {
        QTemporaryDir base;
        QFile blocker(base.filePath(QStringLiteral("файл")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        setEnvironment(testSwitches::kReportFolder, base.filePath(QStringLiteral("файл/отчеты")));
        auto w = startedWizard();
        ReportScreen* report = openReport(*w);
        press(*w);
        QVERIFY(report->lastReport().isEmpty());
        QVERIFY(status(*w).startsWith(QStringLiteral("Отчет не создан")));
        QVERIFY(w->window()->isVisible()); // the program goes on
    }

    void aPayrollThatIsNoNumberWritesNothing()
    {
        QTemporaryDir folder;
        setEnvironment(testSwitches::kReportFolder, folder.path());
        auto w = startedWizard();
        w->model().payroll2011Admin = ModelValue::text("много");
        ReportScreen* report = openReport(*w);
        press(*w);
        QVERIFY(report->lastReport().isEmpty());
        QVERIFY(status(*w).contains(QStringLiteral("Шаг 7")));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void everyOpeningStartsClean()
    {
        QTemporaryDir folder;
        qputenv(testSwitches::kReportFolder, folder.path().toUtf8());
        auto w = startedWizard();
        ReportScreen* report = openReport(*w);
        press(*w);
        auto* said = control<QLabel>(*w, Screen::Report, QStringLiteral("ReportStatus"));
        QVERIFY(said->isVisible() && !said->text().isEmpty());
        report->close();
        openReport(*w);
        QVERIFY(!said->isVisible());
        QVERIFY(said->text().isEmpty());
    }
};

QTEST_MAIN(ReportScreenTest)
#include "report_screen_test.moc"
