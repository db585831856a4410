#include "support/qtest_main.h"
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
#include <QScrollArea>
#include <QTemporaryDir>

using namespace kvarton;
using namespace kvarton::test;

namespace {

ReportScreen* openReport(Wizard& w)
{
    w.steps()->showStep(16);
    w.steps()->formOf(16)->reportAction()->trigger();
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
        QVERIFY(status(*w).startsWith(QStringLiteral("Отчет не создан")));
        QCOMPARE(control<QLabel>(*w, Screen::Report, QStringLiteral("ReportInputs"))->text(),
            QStringLiteral("Шаг 7: Фонд оплаты труда заведующих и заместителей заведующих"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    // Every input that stops the report is listed, named as its step shows it, in a list that
    // scrolls instead of running off the window; the next opening starts without it.
    void manyBadInputsAreAllListed()
    {
        QTemporaryDir folder;
        qputenv(testSwitches::kReportFolder, folder.path().toUtf8());
        auto w = startedWizard();
        for (StaffRole r : allOf<StaffRole>())
            w->model().payroll2011[r] = ModelValue::text("12 000");
        for (ServicePosition p : allOf<ServicePosition>())
            if (hasSalary(p))
                w->model().serviceSalary[p] = ModelValue::text("14.000");
        ReportScreen* report = openReport(*w);
        press(*w);
        auto* inputs = control<QLabel>(*w, Screen::Report, QStringLiteral("ReportInputs"));
        const QStringList lines = inputs->text().split(u'\n');
        QCOMPARE(lines.size(), 12 + 11);
        QCOMPARE(lines.first(), QStringLiteral("Шаг 7: Воспитатель"));
        QVERIFY(lines.contains(QStringLiteral("Шаг 7: Рук физ. воспитания")));
        QCOMPARE(lines.last(),
            QStringLiteral("Шаг 12: Прочие ставки, в том числе садовники, истопники, кочегары, "
                           "водители, уборщики, сторожа и др., оклад на должность"));
        auto* area = control<QScrollArea>(*w, Screen::Report, QStringLiteral("ReportInputsArea"));
        QVERIFY(area->isVisible());
        QVERIFY(area->height() < inputs->sizeHint().height()); // it scrolls
        QVERIFY(area->geometry().bottom() < report->height());
        report->close();
        openReport(*w);
        QVERIFY(!area->isVisible());
        QVERIFY(inputs->text().isEmpty());
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

KVARTON_QTEST_MAIN(ReportScreenTest)
#include "report_screen_test.moc"
