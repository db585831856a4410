#include "item_list.h"

#include "model/regions.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPointer>

#include <array>

namespace kvarton {

ItemList::ItemList(const std::vector<std::string>& items, QObject* parent)
    : QAbstractListModel(parent)
{
    items_.reserve(static_cast<qsizetype>(items.size()));
    rows_.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) {
        const QString text = QString::fromStdString(item);
        rows_.insert(text, static_cast<int>(items_.size()));
        items_.append(text);
    }
}

ItemList* ItemList::of(ListKind kind)
{
    // Owned by the application object, so they live exactly as long as the widgets using them.
    static std::array<QPointer<ItemList>, kListKindCount> lists;
    auto& list = lists[static_cast<std::size_t>(kind)];
    if (!list)
        list = new ItemList(listItems(kind), QCoreApplication::instance());
    return list;
}

ItemList* ItemList::regions()
{
    static QPointer<ItemList> list;
    if (!list) {
        std::vector<std::string> names;
        for (const Region& r : kvarton::regions())
            names.emplace_back(r.name);
        list = new ItemList(names, QCoreApplication::instance());
    }
    return list;
}

int ItemList::widestItemWidth(const QFont& font) const
{
    const QString key = font.key();
    if (const auto it = widestByFont_.constFind(key); it != widestByFont_.constEnd())
        return *it;
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& item : items_)
        widest = std::max(widest, metrics.horizontalAdvance(item));
    widestByFont_.insert(key, widest);
    return widest;
}

int ItemList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant ItemList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::AccessibleTextRole))
        return {};
    return items_.at(index.row());
}

} // namespace kvarton
