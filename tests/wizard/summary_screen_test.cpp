#include "support/qtest_main.h"
#include "support/environment.h"
#include "support/wizard_fixture.h"

#include "wizard/summary_job.h"
#include "wizard/summary_screen.h"
#include "wizard/test_switches.h"

#include "report/report.h"
#include "report/xlsx_package_check.h"

#include "common/random_work.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>

using namespace kvarton;
using namespace kvarton::test;

namespace {

// A folder of reports the program wrote for random works.
void writeReports(const QString& folder, int count)
{
    QDir().mkpath(folder);
    int written = 0;
    for (std::uint32_t seed = 1; written < count; ++seed)
        written += !report::writeXlsxReport(
            RandomWork(seed).work(), QDir(folder).filePath(QStringLiteral("Отчет %1.xlsx").arg(seed)).toStdString());
}

} // namespace

class SummaryScreenTest final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(summaries_.isValid());
        setEnvironment(testSwitches::kReportFolder, summaries_.path());
    }

    // The folder chosen is read with a progress bar, the summary written into the reports' folder,
    // and the screen says where; the start screen is inert meanwhile and works again after.
    void aFolderGivesASummaryWithProgress()
    {
        QTemporaryDir reports;
        writeReports(reports.path(), 24);
        Wizard w;
        QList<bool> asked;
        w.setReportsChooser([&](QWidget*, bool folder) {
            asked << folder;
            return QStringList{reports.path()};
        });
        w.start();
        control<QPushButton>(w, QStringLiteral("Form1"), QStringLiteral("Summary"))->click();
        SummaryScreen* screen = w.summaryScreen();
        QVERIFY(screen && screen->isVisible());
        QVERIFY(!w.form(Screen::Start)->isEnabled());
        auto* progress = screen->findChild<QProgressBar*>(QStringLiteral("SummaryProgress"));
        QSignalSpy idle(screen, &SummaryScreen::idle);
        control<QPushButton>(w, QStringLiteral("SummaryScreen"), QStringLiteral("ChooseFolder"))->click();
        QCOMPARE(asked, QList<bool>{true});
        QVERIFY(screen->isBusy());
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->maximum(), 24);
        screen->grab().save(QStringLiteral("summary_in_progress.png")); // for a look by a person
        QVERIFY(idle.wait(60000));
        QVERIFY(!progress->isVisible());
        const QString written = screen->lastSummary();
        QVERIFY(written.startsWith(summaries_.path()));
        QVERIFY(QFileInfo(written).fileName().startsWith(QStringLiteral("Сводка Квартон ")));
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(
            report::isCompleteXlsxPackage(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
        const QString status
            = control<QLabel>(w, QStringLiteral("SummaryScreen"), QStringLiteral("SummaryStatus"))->text();
        QVERIFY2(status.contains(QStringLiteral("Прочитано отчетов: 24.")), qPrintable(status));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        screen->grab().save(QStringLiteral("summary_done.png"));
        // A second summary never replaces the first.
        control<QPushButton>(w, QStringLiteral("SummaryScreen"), QStringLiteral("ChooseFolder"))->click();
        QVERIFY(idle.wait(60000));
        QVERIFY(screen->lastSummary() != written);
        QVERIFY(QFile::exists(written));
        screen->close();
        QVERIFY(w.form(Screen::Start)->isEnabled());
    }

    // Cancelling while the files are read writes nothing at all.
    void cancellingWritesNothing()
    {
        QTemporaryDir reports;
        writeReports(reports.path(), 40);
        const QStringList before = QDir(summaries_.path()).entryList(QDir::Files | QDir::Hidden);
        Wizard w;
        w.setReportsChooser([&](QWidget*, bool) { return QStringList{reports.path()}; });
        w.start();
        control<QPushButton>(w, QStringLiteral("Form1"), QStringLiteral("Summary"))->click();
        SummaryScreen* screen = w.summaryScreen();
        QSignalSpy idle(screen, &SummaryScreen::idle);
        control<QPushButton>(w, QStringLiteral("SummaryScreen"), QStringLiteral("ChooseFiles"))->click();
        QVERIFY(screen->isBusy());
        control<QPushButton>(w, QStringLiteral("SummaryScreen"), QStringLiteral("CancelSummary"))->click();
        QVERIFY(idle.wait(60000));
        const QString status
            = control<QLabel>(w, QStringLiteral("SummaryScreen"), QStringLiteral("SummaryStatus"))->text();
        QCOMPARE(status, QStringLiteral("Сводка отменена: файл не записан."));
        QVERIFY(screen->lastSummary().isEmpty());
        QCOMPARE(QDir(summaries_.path()).entryList(QDir::Files | QDir::Hidden), before);
    }

    // A group of a hundred reports is shown, marked and sorted by three columns well within the
    // 300 ms the teacher waits after the reading; a figure far from the group's is marked.
    void aHundredReportsAreShownSortedAndMarkedAtOnce()
    {
        const summary::SummaryRow real = summary::summaryRow("Отчет.xlsx", RandomWork(1).work());
        SummaryOutcome outcome;
        for (int i = 0; i < 100; ++i) {
            summary::SummaryRow row = real;
            row.learner = "Слушатель " + std::to_string(i);
            for (summary::SummaryValue& v : row.figures)
                if (auto* number = std::get_if<double>(&v))
                    *number *= 1 + i % 7 / 100.0;
            outcome.rows.push_back(std::move(row));
        }
        const auto first = std::find_if(real.figures.begin(), real.figures.end(),
            [](const summary::SummaryValue& v) { return std::holds_alternative<double>(v); });
        QVERIFY(first != real.figures.end());
        const int figure = static_cast<int>(first - real.figures.begin());
        std::get<double>(outcome.rows[42].figures[static_cast<std::size_t>(figure)]) *= 10;
        Wizard w;
        w.start();
        control<QPushButton>(w, QStringLiteral("Form1"), QStringLiteral("Summary"))->click();
        SummaryScreen* screen = w.summaryScreen();
        QElapsedTimer clock;
        clock.start();
        screen->showGroup(outcome);
        for (const int column : {3, 4, 10})
            screen->groupTable()->sortByColumn(column, Qt::DescendingOrder);
        screen->grab();
        const qint64 ms = clock.elapsed();
        qInfo("a group of 100 shown, marked and sorted three times in %lld ms", ms);
        QVERIFY2(ms < 300, qPrintable(QString::number(ms)));
        QAbstractItemModel* table = screen->groupTable()->model();
        const int column = 4 + figure; // after file, region, institution and learner; largest first
        screen->groupTable()->sortByColumn(column, Qt::DescendingOrder);
        QCOMPARE(table->index(0, 3).data().toString(), QStringLiteral("Слушатель 42"));
        QVERIFY(table->index(0, column).data(Qt::BackgroundRole).isValid());
        QVERIFY(!table->index(1, column).data(Qt::BackgroundRole).isValid());
    }

private:
    QTemporaryDir summaries_;
};

KVARTON_QTEST_MAIN(SummaryScreenTest)
#include "summary_screen_test.moc"
