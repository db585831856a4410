#pragma once

#include <QLabel>
#include <QStaticText>

#include <array>
#include <utility>

namespace kvarton {

// A plain-text label that lays its text out once and paints the laid-out glyphs, instead of
// shaping the text again on every paint as QLabel does. Screens show hundreds of labels and
// repaint them on every step. A label that breaks its own lines, selects its text, shows rich text
// or has a margin or a frame paints as a plain QLabel.
class TextLabel final : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& text, QWidget* parent);

    // Layouts ask a wrapping label its height for a width many times, and forget the answer each
    // time any control of the screen shows or hides; the label remembers it for its text.
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool paintsLaidOutText() const;

    QStaticText layout_;
    QString laidOutText_;
    int laidOutWidth_ = -1;
    mutable QString heightsText_;
    mutable std::array<std::pair<int, int>, 4> heights_{}; // width → height, newest first
};

} // namespace kvarton
