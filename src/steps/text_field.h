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

    void setMarked(bool marked);
    bool isMarked() const { return marked_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool marked_ = false;
};

AmountField* makeAmountField(QWidget* parent, const QString& name);

} // namespace kvarton
