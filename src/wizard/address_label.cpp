#include "address_label.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace kvarton {

namespace {

// As wide as a label of a screen usually is; the window's own size decides the rest.
constexpr int kHintCharacters = 60;
// Narrow enough for any window the label stands in.
constexpr int kMinimumCharacters = 20;

} // namespace

AddressLabel::AddressLabel(const QString& name, const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setWordWrap(true); // also gives the label a height for its width in layouts
}

int AddressLabel::layOut(QTextLayout& layout, int width) const
{
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setFont(font());
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(height));
}

int AddressLabel::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    QTextLayout layout(text());
    return layOut(layout, width - margins.left() - margins.right()) + margins.top() + margins.bottom();
}

QSize AddressLabel::minimumSizeHint() const
{
    const int width = fontMetrics().averageCharWidth() * kMinimumCharacters;
    return {width, heightForWidth(width)};
}

QSize AddressLabel::sizeHint() const
{
    const int width = fontMetrics().averageCharWidth() * kHintCharacters;
    return {width, heightForWidth(width)};
}

void AddressLabel::paintEvent(QPaintEvent*)
{
    const QRect area = contentsRect();
    QTextLayout layout(text());
    layOut(layout, area.width());
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, foregroundRole()));
    layout.draw(&painter, area.topLeft());
}

} // namespace kvarton
