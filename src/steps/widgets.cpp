#include "widgets.h"

#include "text_label.h"

#include <QScrollArea>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>

namespace kvarton {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool wrap)
{
    auto* label = new TextLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(wrap);
    return label;
}

void paintFocusFrame(QWidget& widget)
{
    if (!widget.hasFocus())
        return;
    QStylePainter painter(&widget);
    QStyleOptionFocusRect frame;
    frame.initFrom(&widget);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
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

namespace {

// A box as tall as its wrapped list, up to a number of lines, scrolling beyond: its height follows
// the width the layout gives it.
class FittedArea final : public QScrollArea {
public:
    FittedArea(QWidget* parent, int lines)
        : QScrollArea(parent)
        , lines_(lines)
    {
    }

    void fit()
    {
        const auto* list = qobject_cast<QLabel*>(widget());
        if (!list)
            return;
        const int most = list->fontMetrics().lineSpacing() * lines_ + list->contentsMargins().top()
            + list->contentsMargins().bottom();
        const int needed = list->heightForWidth(viewport()->width());
        setFixedHeight(std::min(needed < 0 ? most : needed, most) + 2 * frameWidth());
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        fit();
    }

private:
    int lines_;
};

} // namespace

void fitScrollingList(const ScrollingList& list)
{
    if (auto* area = dynamic_cast<FittedArea*>(list.area))
        area->fit();
}

ScrollingList makeScrollingList(QWidget* parent, const QString& listName, const QString& areaName, int fittedLines)
{
    QScrollArea* area = fittedLines > 0 ? new FittedArea(parent, fittedLines) : new QScrollArea(parent);
    area->setObjectName(areaName);
    area->setWidgetResizable(true);
    QLabel* list = makeLabel(area, listName, {}, true);
    list->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    list->setContentsMargins(4, 2, 4, 2);
    area->setWidget(list);
    return {list, area};
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
