#include "widgets.h"

namespace kvarton {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool wrap)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wrap);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeTitle(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = makeLabel(parent, name, text, true);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* makeValue(QWidget* parent, const QString& name, const QString& placeholder)
{
    QLabel* label = makeLabel(parent, name, placeholder);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace kvarton
