#include "text_field.h"

#include <QFontMetrics>

namespace kvarton {

QLineEdit* makeAmountField(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));
    return edit;
}

} // namespace kvarton
