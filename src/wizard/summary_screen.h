#pragma once

#include "modal_screen.h"

#include <QStringList>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kvarton {

class SummaryJob;
struct SummaryOutcome;

// The teacher's summary of many reports: choose the files or a folder, watch the files being read
// on all cores (and cancel), then the new workbook opens and the screen says where it is.
class SummaryScreen final : public ModalScreen {
    Q_OBJECT
public:
    // Which reports: several files, or a folder. An empty list means the choice was cancelled.
    enum class Choice { Files, Folder };
    using Chooser = std::function<QStringList(QWidget* parent, Choice choice)>;

    explicit SummaryScreen(QWidget* parent);
    ~SummaryScreen() override;

    void setChooser(Chooser chooser) { choose_ = std::move(chooser); }
    // Reads `inputs` and writes the summary into the reports' folder (ReportScreen::reportFolder).
    void summarize(const QStringList& inputs);
    bool isBusy() const;
    // The path of the last summary written, empty when none.
    const QString& lastSummary() const { return lastSummary_; }

signals:
    void idle(); // a summary was written, refused or cancelled

protected:
    void closeEvent(class QCloseEvent* event) override;
    void showEvent(class QShowEvent* event) override;

private:
    void ask(Choice choice);
    void done(const SummaryOutcome& outcome);
    void setBusy(bool busy);

    Chooser choose_;
    SummaryJob* job_ = nullptr;
    QPushButton* files_ = nullptr;
    QPushButton* folder_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QString lastSummary_;
};

} // namespace kvarton
