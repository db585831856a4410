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

void AmountField::setMarked(bool marked)
{
    if (marked == marked_)
        return;
    marked_ = marked;
    update();
}

void AmountField::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!marked_)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAttentionRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 2, 2);
}

AmountField* makeAmountField(QWidget* parent, const QString& name) { return new AmountField(name, parent); }

} // namespace kvarton
