#pragma once

#include "binding.h"

#include <QObject>

#include <span>
#include <vector>

class QAction;
class QLabel;

namespace kvarton {

// Points out, while the learner types (step 7) or chooses (step 8), a total "(всего)" smaller than
// its parts (calc::totalExcess): the total gets the red frame, the "!" mark where it is an amount
// field, and the hint with both sums as tooltip and accessible description; the note under the box
// says the same. Nothing is blocked or changed: the calculation takes the total as typed.
class TotalMarks final : public QObject {
    Q_OBJECT
public:
    // `bindings` are every control of the screen with its field; the totals of calc::typedTotals
    // whose controls are among them are watched. `note` shows under their box.
    TotalMarks(std::span<const Binding> bindings, QLabel* note, QObject* parent);

    // The controls the current step shows: only their totals are judged aloud.
    void showFor(std::span<const Binding> shown);

private:
    struct Total {
        QWidget* total = nullptr;
        std::vector<QWidget*> parts;
        QAction* mark = nullptr; // an amount field's "!"
        QString hint; // empty while the total is sound
        QString note;
        bool shown = false;
    };
    void judge(Total& t);
    void updateNote();

    std::vector<Total> totals_;
    QLabel* note_;
};

} // namespace kvarton
