#pragma once

#include "modal_screen.h"

#include <QWidget>

class QLabel;

namespace kvarton {

// Form1, the first screen: greets the learner and leads to the data list and to the start.
class StartScreen final : public QWidget {
    Q_OBJECT
public:
    explicit StartScreen(QWidget* parent);

    // Why the report or the work the learner chose was not opened; an empty text hides the line.
    // With `copyOffered`, "продолжить копию" stands beside it: the work is open in another window.
    void showProblem(const QString& message, bool copyOffered = false);
    // The line naming the most recent saved work; an empty text hides it with "продолжить" and
    // "открыть…", which only saved works need.
    void showLastWork(const QString& line);

signals:
    void detailsRequested(); // "подробно"
    void startRequested(); // "начать"
    void openReportRequested(); // "открыть отчет…"
    void continueRequested(); // "продолжить": the most recent saved work
    void openWorkRequested(); // "открыть…": the list of saved works
    void summaryRequested(); // "сводка отчетов…"
    void continueCopyRequested(); // "продолжить копию": of the work open in another window

private:
    QLabel* problem_ = nullptr;
    QWidget* continueCopy_ = nullptr;
    QLabel* lastWork_ = nullptr;
    QWidget* continue_ = nullptr;
    QWidget* openWork_ = nullptr;
};

// Form2, the list of data the learner needs at hand; modal to the start screen.
class InfoScreen final : public ModalScreen {
    Q_OBJECT
public:
    explicit InfoScreen(QWidget* parent);
};

} // namespace kvarton
