#include "table_chart_layout.h"

#include "result_chart.h"

#include <QWidget>

#include <algorithm>
#include <utility>

namespace kvarton {

namespace {

constexpr int kBesideGap = 32; // between the table's last column and the chart
constexpr int kUnderGap = 12; // between the table's last row and the chart

int heightAt(const QLayoutItem* item, int width)
{
    return item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
}

} // namespace

TableChartLayout::TableChartLayout(QLayout* table, ResultChart* chart)
    : chartWidget_(chart)
{
    setContentsMargins(0, 0, 0, 0);
    addChildLayout(table);
    table_ = table;
    addChildWidget(chart);
    chart_ = new QWidgetItem(chart);
}

TableChartLayout::~TableChartLayout()
{
    delete std::exchange(table_, nullptr);
    delete std::exchange(chart_, nullptr); // the item alone: the chart is a widget of the panel
}

QLayoutItem* TableChartLayout::item(int index) const
{
    QLayoutItem* const items[] = {table_, chart_};
    int seen = 0;
    for (QLayoutItem* i : items)
        if (i && seen++ == index)
            return i;
    return nullptr;
}

void TableChartLayout::addItem(QLayoutItem* /*item*/)
{
    Q_ASSERT_X(false, "TableChartLayout", "holds a table and a chart only");
}

QLayoutItem* TableChartLayout::itemAt(int index) const { return item(index); }

QLayoutItem* TableChartLayout::takeAt(int index)
{
    QLayoutItem* taken = item(index);
    if (taken == table_)
        table_ = nullptr;
    else if (taken == chart_)
        chart_ = nullptr;
    invalidate();
    return taken;
}

int TableChartLayout::count() const { return (table_ ? 1 : 0) + (chart_ ? 1 : 0); }

bool TableChartLayout::besideWithin(int innerWidth) const
{
    if (!table_ || !chart_ || chart_->isEmpty())
        return false;
    const int room = innerWidth - table_->sizeHint().width() - kBesideGap;
    return room >= std::max(chartWidget_->readableWidth(), chart_->minimumSize().width());
}

TableChartLayout::Places TableChartLayout::places(const QRect& area) const
{
    Places p;
    const int width = area.width();
    if (besideWithin(width)) {
        const int tableWidth = table_->sizeHint().width();
        p.table = QRect(area.x(), area.y(), tableWidth, heightAt(table_, tableWidth));
        const int chartLeft = tableWidth + kBesideGap;
        p.chart = QRect(area.x() + chartLeft, area.y(), width - chartLeft, heightAt(chart_, width - chartLeft));
        return p;
    }
    int y = area.y();
    if (table_ && !table_->isEmpty()) {
        p.table = QRect(area.x(), y, width, heightAt(table_, width));
        y += p.table.height() + kUnderGap;
    }
    if (chart_ && !chart_->isEmpty())
        p.chart = QRect(area.x(), y, width, heightAt(chart_, width));
    return p;
}

// The table's grid and the chart keep their own answers; what is left to do here is adding them up.
int TableChartLayout::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    const Places p = places(QRect(0, 0, width - m.left() - m.right(), 0));
    return std::max(p.table.bottom(), p.chart.bottom()) + 1 + m.top() + m.bottom();
}

// Beside each other, the chart as wide as the table: the room in which a window shows both whole.
QSize TableChartLayout::sizeHint() const
{
    const QMargins m = contentsMargins();
    const QSize margins(m.left() + m.right(), m.top() + m.bottom());
    const QSize table = table_ && !table_->isEmpty() ? table_->sizeHint() : QSize(0, 0);
    if (!chart_ || chart_->isEmpty())
        return table + margins;
    const int chartWidth = std::max(chart_->sizeHint().width(), table.width());
    return QSize(table.width() + kBesideGap + chartWidth, std::max(table.height(), heightAt(chart_, chartWidth)))
        + margins;
}

// Under each other: the narrowest they can be; the height follows the width (heightForWidth).
QSize TableChartLayout::minimumSize() const
{
    const QMargins m = contentsMargins();
    QSize least(0, 0);
    for (QLayoutItem* i : {table_, chart_})
        if (i && !i->isEmpty())
            least = least.expandedTo(i->minimumSize());
    return least + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void TableChartLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const Places p = places(contentsRect());
    if (table_)
        table_->setGeometry(p.table);
    if (chart_)
        chart_->setGeometry(p.chart);
}

} // namespace kvarton
