#pragma once

#include "modal_screen.h"

#include <QStringList>

class QLabel;
class QListWidget;

namespace kvarton {

// The saved works, newest first, to continue any of them ("открыть…" on the start screen); modal
// to the start screen like the list of data.
class WorkListScreen final : public ModalScreen {
    Q_OBJECT
public:
    explicit WorkListScreen(QWidget* parent);

    // One line per work, newest first; the first is chosen. Under the list, what the folder holds
    // that the list passes over, and why; nothing when `skipped` is empty.
    void setWorks(const QStringList& lines, const QString& skipped = {});

signals:
    // The learner continues the work of that line.
    void workChosen(int row);

private:
    void continueChosen();

    QListWidget* works_ = nullptr;
    QLabel* skipped_ = nullptr;
};

} // namespace kvarton
