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

    // Why the report the learner chose was not opened; an empty text hides the line.
    void showProblem(const QString& message);

signals:
    void detailsRequested(); // "подробно"
    void startRequested(); // "начать"
    void openReportRequested(); // "открыть отчет…"

private:
    QLabel* problem_ = nullptr;
};

// Form2, the list of data the learner needs at hand; modal to the start screen.
class InfoScreen final : public ModalScreen {
    Q_OBJECT
public:
    explicit InfoScreen(QWidget* parent);
};

} // namespace kvarton
