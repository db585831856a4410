#include "choice_list.h"

#include "item_list.h"

namespace kvarton {

ChoiceList::ChoiceList(ItemList* items, const QString& objectName, QWidget* parent)
    : QComboBox(parent)
    , items_(items)
{
    setObjectName(objectName);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(items->widestItemLength());
    setMaxVisibleItems(20);
    setModel(items);
    setCurrentIndex(-1);
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
