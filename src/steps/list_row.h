#pragma once

#include "model/list_items.h"

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

namespace kvarton {

class ChoiceList;

// A named label of a row and its text.
struct RowLabel {
    QString name;
    QString text;
    bool wrap = false;
};

// A row of a form: a caption, the list it asks for and the unit after it. The caption is the
// list's buddy and its text the list's accessible name, so that a screen reader reads the row as
// one question. The three are made in reading order, which is also their order for Tab.
struct ListRow {
    QLabel* caption = nullptr;
    ChoiceList* list = nullptr;
    QLabel* unit = nullptr;

    // Puts caption, list and unit into three neighbouring columns of a grid row.
    void addTo(QGridLayout* grid, int row, int column) const;
};

ListRow makeListRow(
    QWidget* parent, const RowLabel& caption, ListKind kind, const QString& listName, const RowLabel& unit);

} // namespace kvarton
