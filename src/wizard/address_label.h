#pragma once

#include <QLabel>

class QTextLayout;

namespace kvarton {

// A wrapping label for a text that ends with an address from the course's settings file. An
// address has no blank to break at and may be longer than the screen is wide; this label breaks
// it within the word where it must, instead of widening its window past the screen.
class AddressLabel final : public QLabel {
    Q_OBJECT
public:
    AddressLabel(const QString& name, const QString& text, QWidget* parent);

    int heightForWidth(int width) const override;
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out in lines of `width`; returns the height they take.
    int layOut(QTextLayout& layout, int width) const;
};

} // namespace kvarton
