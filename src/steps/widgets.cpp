#include "widgets.h"

#include "text_label.h"

namespace kvarton {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool wrap)
{
    auto* label = new TextLabel(text, parent);
    label->setObjectName(name);
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

QFrame* makeBox(QWidget* parent, const QString& name)
{
    auto* box = new QFrame(parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::StyledPanel);
    return box;
}

QLabel* makeValue(QWidget* parent, const QString& name, const QString& placeholder)
{
    QLabel* label = makeLabel(parent, name, placeholder);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits of one width, so that the figures of a column line up digit under digit. The usual
    // sans-serif faces have them by default; a font whose figures are proportional has them as
    // the "tnum" feature, which Qt lets a program ask for from 6.7 on.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    QFont font = label->font();
    font.setFeature("tnum", 1);
    label->setFont(font);
#endif
    return label;
}

} // namespace kvarton
