#pragma once

#include "modal_screen.h"

#include <QModelIndex>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace kvarton {

class GroupTableModel;
class SummaryJob;
struct SummaryOutcome;

// The teacher's summary of many reports: choose the files or a folder, watch the files being read
// on all cores (and cancel), then the new workbook opens and the screen says where it is, and shows
// the group as a table (GroupTable): a row per report, sortable by any column, the figures far
// from the group's typical value marked by the rule stated under it, the files not read named with
// their reasons. A double-click or Enter on a row asks to open that learner's report;
// "записать сводку" writes the workbook again under a fresh name.
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
    // The table of the group last read, for a look from the tests.
    QTableView* groupTable() const { return table_; }
    // Shows the group an outcome read (what a finished reading shows; an empty one hides it).
    void showGroup(const SummaryOutcome& outcome);

signals:
    void idle(); // a summary was written, refused or cancelled
    void reportChosen(const QString& path); // a row of the group was opened

protected:
    void closeEvent(class QCloseEvent* event) override;
    void showEvent(class QShowEvent* event) override;

private:
    void ask(Choice choice);
    void done(const SummaryOutcome& outcome);
    void setBusy(bool busy);
    void openRow(const QModelIndex& index);

    Chooser choose_;
    SummaryJob* job_ = nullptr;
    QPushButton* files_ = nullptr;
    QPushButton* folder_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QString lastSummary_;
    GroupTableModel* group_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* groupCaption_ = nullptr;
    QLabel* farRule_ = nullptr;
    QLabel* unread_ = nullptr;
    QPushButton* writeAgain_ = nullptr;
    QWidget* stretch_ = nullptr;
    std::unique_ptr<SummaryOutcome> read_; // the group shown, for "записать сводку"
};

} // namespace kvarton
