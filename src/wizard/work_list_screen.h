#pragma once

#include "modal_screen.h"

#include <QString>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kvarton {

// A saved work as the list shows it, one cell a column; a work that cannot be read has only its
// problem, shown across the row.
struct WorkRow {
    QString learner; // "Иванова И. О."; empty when none was typed
    QString institution;
    QString region;
    int step = 0;
    QString saved; // "14.03.2026 в 10:22"
    bool fromReport = false; // made from a learner's report the teacher opened
    QString problem; // why the work cannot be read; the other members are empty then
};

// The saved works, newest first, to continue or remove any of them ("открыть…" on the start
// screen); modal to the start screen like the list of data. A table whose columns fit their
// texts, with no scroll bar sideways.
class WorkListScreen final : public ModalScreen {
    Q_OBJECT
public:
    explicit WorkListScreen(QWidget* parent);

    // One row per work, newest first; the first is chosen. Under the list, what the folder holds
    // that the list passes over, and why; nothing when `skipped` is empty.
    void setWorks(const std::vector<WorkRow>& rows, const QString& skipped = {});
    // Why the work was not removed; an empty text hides the line.
    void showProblem(const QString& message);

    // The confirmation of a removal; replaced by the tests, which cannot answer a dialog.
    using Confirm = bool (*)(QWidget* parent, const QString& question);
    void setConfirm(Confirm confirm) { confirm_ = confirm; }

signals:
    // The learner continues the work of that row.
    void workChosen(int row);
    // The learner confirmed removing the work of that row.
    void removeRequested(int row);

private:
    void continueChosen();
    void removeChosen();

    QTableWidget* works_ = nullptr;
    QLabel* skipped_ = nullptr;
    QLabel* problem_ = nullptr;
    QPushButton* remove_ = nullptr;
    Confirm confirm_;
};

} // namespace kvarton
