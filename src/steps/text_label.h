#pragma once

#include <QLabel>
#include <QStaticText>

namespace kvarton {

// A plain-text label that lays its text out once and paints the laid-out glyphs, instead of
// shaping the text again on every paint as QLabel does. Screens show hundreds of labels and
// repaint them on every step.
class TextLabel final : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QStaticText layout_;
    QString laidOutText_;
    int laidOutWidth_ = -1;
};

} // namespace kvarton
