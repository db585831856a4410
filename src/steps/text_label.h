#pragma once

#include <QLabel>
#include <QStaticText>

#include <vector>

namespace kvarton {

// A plain-text label that lays its text out once and paints the laid-out glyphs, instead of
// shaping the text again on every paint as QLabel does. Screens show hundreds of labels and
// repaint them on every step. A label that breaks its own lines, selects its text, shows rich text
// or has a margin or a frame paints as a plain QLabel.
class TextLabel final : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& text, QWidget* parent);

    // Layouts ask a label its size hints, and a wrapping label its height for a width, many times,
    // and a label forgets its answers whenever its text changes, as it does from step to step. The
    // label remembers its last answers for the few texts and shapes a screen gives it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

    // What a label's hints depend on besides its text, font and style (a change of either resets
    // what the label remembers). Labels alike in all of them measure alike: what one label has
    // measured, the others take.
    struct Shape {
        int alignment = 0;
        int indent = 0;
        int margin = 0;
        int textFormat = 0;
        int interaction = 0;
        int frameWidth = 0;
        QMargins contents;
        QSize minimum; // a label's hints are never below its minimum size
        QSize maximum; // a wrapping label lays out within its maximum width
        bool wordWrap = false;
        bool hasBuddy = false;
        bool operator==(const Shape&) const = default;
    };

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool paintsLaidOutText() const;

    QStaticText layout_;
    QString laidOutText_;
    int laidOutWidth_ = -1;
    struct Hints {
        QString text;
        Shape shape;
        QSize size;
        QSize minimum; // not asked yet when invalid
    };
    struct Height {
        QString text;
        Shape shape;
        int width = 0;
        int height = 0;
    };
    Shape shape() const;
    Hints& hints() const;

    mutable std::vector<Hints> hints_; // newest first, a few at most
    mutable std::vector<Height> heights_; // newest first, a dozen at most
};

} // namespace kvarton
