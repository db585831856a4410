#include "choice_list.h"

#include "item_list.h"
#include "text_field.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace kvarton {

ChoiceList::ChoiceList(ItemList* items, const QString& objectName, QWidget* parent)
    : QComboBox(parent)
    , items_(items)
{
    // The size adjust policy is left alone: changing it makes the list build its popup at once,
    // some 25 KB per list; the popup is made when the learner first opens it.
    setObjectName(objectName);
    setMaxVisibleItems(20);
    setModel(items);
    setCurrentIndex(-1);
}

QSize ChoiceList::sizeHint() const
{
    if (!hint_.isValid()) {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QFontMetrics metrics = fontMetrics();
        const QSize text(items_->widestItemWidth(font()), std::max(metrics.height(), 14) + 2);
        hint_ = style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
    }
    return hint_;
}

void ChoiceList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        hint_ = QSize();
    QComboBox::changeEvent(event);
}

void ChoiceList::setMarked(bool marked)
{
    if (marked == marked_)
        return;
    marked_ = marked;
    update();
}

void ChoiceList::paintEvent(QPaintEvent* event)
{
    QComboBox::paintEvent(event);
    if (marked_)
        paintAttentionFrame(this);
}

void ChoiceList::showText(const QString& text) { setCurrentIndex(items_->rowOf(text)); }

bool ChoiceList::choose(const QString& text)
{
    const int row = items_->rowOf(text);
    if (row < 0)
        return false;
    setCurrentIndex(row);
    emit activated(row);
    return true;
}

} // namespace kvarton
