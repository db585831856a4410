#pragma once

#include "modal_screen.h"

#include <QWidget>

namespace kvarton {

// Form1, the first screen: greets the learner and leads to the data list and to the start.
class StartScreen final : public QWidget {
    Q_OBJECT
public:
    explicit StartScreen(QWidget* parent);

signals:
    void detailsRequested(); // "подробно"
    void startRequested(); // "начать"
};

// Form2, the list of data the learner needs at hand; modal to the start screen.
class InfoScreen final : public ModalScreen {
    Q_OBJECT
public:
    explicit InfoScreen(QWidget* parent);
};

} // namespace kvarton
