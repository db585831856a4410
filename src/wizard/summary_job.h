#pragma once

#include "summary/summary_rows.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kvarton {

struct CollectedFiles;

// What came of a summary: where it was written, how many reports it holds and how many files
// were not read; or why it was not written.
struct SummaryOutcome {
    QString path; // empty when nothing was written
    int reports = 0;
    std::vector<summary::UnreadFile> unread;
    QString problem; // in Russian, when nothing was written
    bool cancelled = false;
    std::vector<summary::SummaryRow> rows; // in the order of the workbook
    std::vector<std::string> passedSummaries; // earlier summaries among the files, passed over
};

// Reads every report and computes its figures on all cores, then writes the summary workbook to
// `target` under a temporary name and renames it when complete; an existing file is never
// replaced. Blocks; the command line's way.
SummaryOutcome makeSummary(const QStringList& inputs, const QString& target);

// The same in the background, for the window: progress as files are read, cancel at any moment
// (then nothing is written). The summary goes into `folder` under a fresh name.
class SummaryJob final : public QObject {
    Q_OBJECT
public:
    explicit SummaryJob(QObject* parent = nullptr);
    ~SummaryJob() override;

    // Starts reading; false when a summary is still being made.
    bool start(const QStringList& inputs, const QString& folder);
    void cancel();
    bool isRunning() const { return running_; }
    // Writes the rows and files not read of an earlier outcome into `folder` again, under a fresh
    // name; false while a summary is being made.
    bool writeAgain(const SummaryOutcome& read, const QString& folder);

signals:
    void progress(int done, int total);
    void finished(const kvarton::SummaryOutcome& outcome);

private:
    void read();
    void write();
    void writeCollected(CollectedFiles c, const QString& folder);

    QFutureWatcher<summary::FileSummary> reading_;
    QFutureWatcher<SummaryOutcome> writing_;
    std::vector<std::string> files_;
    std::vector<summary::UnreadFile> notReports_;
    QString folder_;
    bool running_ = false;
};

} // namespace kvarton
