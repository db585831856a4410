#pragma once

#include <QColor>
#include <QLineEdit>

namespace kvarton {

// The dark red of what needs the learner's attention: dark against a field in colour and in grey.
inline const QColor kAttentionRed(0xb0, 0x00, 0x00);

// A one-line field for an amount typed by the learner: right-aligned like the numbers it holds.
// A marked field (AmountMarks marks one whose text the calculation will not accept) has a dark red
// frame of two pixels, painted over the style's own. A style sheet would draw the same frame, but
// setting one restyles the field, and a step's first showing changes the mark of every field.
class AmountField final : public QLineEdit {
public:
    AmountField(const QString& name, QWidget* parent);

    // An amount the calculation will not take (AmountMarks) and a total smaller than its parts
    // (TotalMarks) are marked apart, so that neither clears the other's frame.
    enum class Mark { Amount = 1, Total = 2 };
    void setMarked(bool marked, Mark mark = Mark::Amount);
    bool isMarked() const { return marks_ != 0; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int marks_ = 0;
};

// The dark red frame of a marked control, painted over the style's own.
void paintAttentionFrame(QWidget* widget);

AmountField* makeAmountField(QWidget* parent, const QString& name);

} // namespace kvarton
