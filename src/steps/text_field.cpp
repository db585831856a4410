#include "text_field.h"

#include <QFontMetrics>
#include <QPainter>

namespace kvarton {

AmountField::AmountField(const QString& name, QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));
}

void AmountField::setMarked(bool marked, Mark mark)
{
    const int marks = marked ? marks_ | static_cast<int>(mark) : marks_ & ~static_cast<int>(mark);
    if (marks == marks_)
        return;
    marks_ = marks;
    update();
}

void paintAttentionFrame(QWidget* widget)
{
    QPainter p(widget);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAttentionRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(widget->rect()).adjusted(1, 1, -1, -1), 2, 2);
}

void AmountField::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (marks_ != 0)
        paintAttentionFrame(this);
}

AmountField* makeAmountField(QWidget* parent, const QString& name) { return new AmountField(name, parent); }

} // namespace kvarton
