#pragma once

#include "binding.h"

#include <QIcon>
#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QLabel;
class QWidget;

namespace kvarton {

class AmountField;

// The note under a box of amount fields ("AmountNote"), hidden until a field needs attention.
QLabel* makeAmountNote(QWidget* parent, const QString& name = QStringLiteral("AmountNote"));

// The round mark with "!" that a field needing attention carries.
QIcon attentionMarkIcon();

// Tells the learner while typing which amount fields of a step (the payrolls of step 7, the
// salaries of step 12) hold a text the calculation will not accept, by the same rule the input
// check of steps 13–16 applies (calc::typedAmountProblem). A field that fails gets a red frame and
// a round mark with "!" (both read in greyscale too), and the hint as tooltip and accessible
// description; the note under the box counts such fields. Nothing is blocked or changed: the text
// is stored as typed.
class AmountMarks final : public QObject {
    Q_OBJECT
public:
    // `fields` are the amount fields with their model fields; `note` shows under their box.
    AmountMarks(const std::vector<Binding>& fields, QLabel* note, QObject* parent);

    // Whether the fields show on the current step; the note shows only then.
    void setActive(bool active);

private:
    struct Field {
        AmountField* edit;
        FieldRef field;
        QAction* mark;
        bool bad = false;
    };
    void judge(Field& f);
    void updateNote();

    std::vector<Field> fields_;
    QLabel* note_;
    bool active_ = false;
};

} // namespace kvarton
