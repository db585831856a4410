#include "summary_job.h"

#include "fresh_name.h"

#include "summary/input_files.h"
#include "summary/summary_workbook.h"

#include "report/xlsx_workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace kvarton {

struct CollectedFiles {
    std::vector<summary::SummaryRow> rows;
    std::vector<summary::UnreadFile> unread;
    std::vector<std::string> passedSummaries;
};

namespace {

constexpr report::WorkbookWords kSummaryWords{"Сводка не создана", "повторите попытку", "Повторите попытку"};

std::vector<std::string> utf8(const QStringList& paths)
{
    std::vector<std::string> result;
    for (const QString& p : paths)
        result.push_back(p.toStdString());
    return result;
}

using Collected = CollectedFiles;

Collected collect(const QList<summary::FileSummary>& results, const std::vector<summary::UnreadFile>& notReports)
{
    Collected c;
    c.unread = notReports;
    for (const summary::FileSummary& r : results) {
        if (const auto* row = std::get_if<summary::SummaryRow>(&r))
            c.rows.push_back(*row);
        else if (const auto& unread = std::get<summary::UnreadFile>(r); unread.ownSummary)
            c.passedSummaries.push_back(unread.fileName);
        else
            c.unread.push_back(unread);
    }
    summary::sortRows(c.rows);
    return c;
}

std::vector<summary::UnreadFile> unreadPaths(const std::vector<summary::NotAReportPath>& problems)
{
    std::vector<summary::UnreadFile> unread;
    for (const summary::NotAReportPath& p : problems) {
        const QFileInfo info(QString::fromStdString(p.path));
        unread.push_back(
            {info.fileName().toStdString(), QDir::toNativeSeparators(info.absolutePath()).toStdString(), p.reason});
    }
    return unread;
}

// Written under a temporary name beside the target and renamed when complete, so that a half-
// written workbook never carries the final name; an existing file is never replaced.
SummaryOutcome writeSummary(const Collected& c, const QString& target)
{
    SummaryOutcome outcome;
    outcome.reports = static_cast<int>(c.rows.size());
    outcome.unread = c.unread;
    outcome.rows = c.rows;
    outcome.passedSummaries = c.passedSummaries;
    const QFileInfo info(target);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    if (info.exists() || info.isSymLink()) {
        outcome.problem = QStringLiteral("Сводка не создана: файл «%1» уже существует.").arg(shown);
        return outcome;
    }
    if (!info.absoluteDir().exists()) { // named as the teacher gave it, not by the temporary name
        outcome.problem = QStringLiteral("Сводка не создана: папка «%1» не найдена.")
                              .arg(QDir::toNativeSeparators(info.absolutePath()));
        return outcome;
    }
    const QString part = info.absoluteDir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".part"));
    QFile::remove(part);
    if (const auto problem
        = report::writeWorkbook(summary::summaryWorkbook(c.rows, c.unread), part.toStdString(), kSummaryWords)) {
        outcome.problem = QString::fromStdString(problem->message);
        return outcome;
    }
    if (!QFile::rename(part, info.absoluteFilePath())) {
        QFile::remove(part);
        outcome.problem = info.exists()
            ? QStringLiteral("Сводка не создана: файл «%1» уже существует.").arg(shown)
            : QStringLiteral("Сводка не создана: не удалось записать файл «%1».").arg(shown);
        return outcome;
    }
    outcome.path = info.absoluteFilePath();
    return outcome;
}

} // namespace

SummaryOutcome makeSummary(const QStringList& inputs, const QString& target)
{
    const summary::InputFiles found = summary::inputFiles(utf8(inputs));
    // Paths that lead to no file at all (mistyped, or folders without workbooks) would make a
    // summary of nothing: nothing is written, and each path is named with why.
    if (std::none_of(found.files.begin(), found.files.end(),
            [](const std::string& file) { return QFileInfo(QString::fromStdString(file)).isFile(); })) {
        std::vector<summary::UnreadFile> unread = unreadPaths(found.problems);
        for (const std::string& file : found.files)
            if (const summary::FileSummary read = summary::summarizeFile(file);
                const auto* why = std::get_if<summary::UnreadFile>(&read))
                unread.push_back(*why);
        SummaryOutcome outcome;
        outcome.problem = QStringLiteral("Сводка не создана: по указанным путям нет ни одного файла для чтения.");
        for (const summary::UnreadFile& f : unread)
            outcome.problem += QStringLiteral("\n«%1»: %2")
                                   .arg(QString::fromStdString(f.fileName), QString::fromStdString(f.reason));
        return outcome;
    }
    const QList<summary::FileSummary> results
        = QtConcurrent::blockingMapped<QList<summary::FileSummary>>(found.files, summary::summarizeFile);
    return writeSummary(collect(results, unreadPaths(found.problems)), target);
}

SummaryJob::SummaryJob(QObject* parent)
    : QObject(parent)
{
    connect(&reading_, &QFutureWatcherBase::progressValueChanged, this,
        [this](int done) { emit progress(done, reading_.progressMaximum()); });
    connect(&reading_, &QFutureWatcherBase::finished, this, &SummaryJob::write);
    connect(&writing_, &QFutureWatcherBase::finished, this, [this] {
        running_ = false;
        emit finished(writing_.result());
    });
}

// A window closed while reading waits for the files being read, never for the rest.
SummaryJob::~SummaryJob()
{
    reading_.cancel();
    reading_.waitForFinished();
    writing_.waitForFinished();
}

bool SummaryJob::start(const QStringList& inputs, const QString& folder)
{
    if (running_)
        return false;
    running_ = true;
    folder_ = folder;
    summary::InputFiles found = summary::inputFiles(utf8(inputs));
    files_ = std::move(found.files);
    notReports_ = unreadPaths(found.problems);
    emit progress(0, static_cast<int>(files_.size()));
    reading_.setFuture(QtConcurrent::mapped(files_, summary::summarizeFile));
    return true;
}

void SummaryJob::cancel()
{
    if (running_ && !reading_.isFinished())
        reading_.cancel();
}

bool SummaryJob::writeAgain(const SummaryOutcome& read, const QString& folder)
{
    if (running_)
        return false;
    running_ = true;
    writeCollected(Collected{read.rows, read.unread, read.passedSummaries}, folder);
    return true;
}

void SummaryJob::writeCollected(Collected c, const QString& folderPath)
{
    const QDir folder(folderPath);
    const QString target = folder.filePath(freshWorkbookName(folder, QStringLiteral("Сводка Квартон")));
    writing_.setFuture(QtConcurrent::run([c = std::move(c), target] { return writeSummary(c, target); }));
}

void SummaryJob::write()
{
    if (reading_.isCanceled()) {
        running_ = false;
        SummaryOutcome outcome;
        outcome.cancelled = true;
        emit finished(outcome);
        return;
    }
    writeCollected(collect(reading_.future().results(), notReports_), folder_);
}

} // namespace kvarton
