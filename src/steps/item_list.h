#pragma once

#include "model/list_items.h"

#include <QAbstractListModel>
#include <QFont>
#include <QHash>
#include <QStringList>

#include <string>
#include <vector>

namespace kvarton {

// The items of one kind of drop-down list, built once and shared by every list of that kind,
// with a text → row lookup built once as well.
class ItemList final : public QAbstractListModel {
    Q_OBJECT
public:
    static ItemList* of(ListKind kind);
    static ItemList* regions();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int rowOf(const QString& text) const { return rows_.value(text, -1); }
    const QString& itemAt(int row) const { return items_.at(row); }
    // The width of the widest item in `font`, measured once per font for all lists of the kind.
    int widestItemWidth(const QFont& font) const;

private:
    explicit ItemList(const std::vector<std::string>& items, QObject* parent);

    QStringList items_;
    QHash<QString, int> rows_;
    mutable QHash<QString, int> widestByFont_;
};

} // namespace kvarton
