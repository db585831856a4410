#include "list_row.h"

#include "choice_list.h"
#include "item_list.h"
#include "widgets.h"

#include <QGridLayout>

namespace kvarton {

ListRow makeListRow(
    QWidget* parent, const RowLabel& caption, ListKind kind, const QString& listName, const RowLabel& unit)
{
    ListRow row;
    row.caption = makeLabel(parent, caption.name, caption.text, caption.wrap);
    row.list = new ChoiceList(ItemList::of(kind), listName, parent);
    row.list->setAccessibleName(caption.text);
    row.caption->setBuddy(row.list);
    row.unit = makeLabel(parent, unit.name, unit.text, unit.wrap);
    return row;
}

void ListRow::addTo(QGridLayout* grid, int row, int column) const
{
    grid->addWidget(caption, row, column);
    grid->addWidget(list, row, column + 1);
    grid->addWidget(unit, row, column + 2);
}

} // namespace kvarton
