#pragma once

#include <QLayout>

namespace kvarton {

class ResultChart;

// A table of results and the chart that draws its figures. The chart stands beside the table where
// the row leaves it room to show its texts whole (`ResultChart::readableWidth`), so that a wide
// window shows both without scrolling; a narrower one puts the chart under the table at the
// table's width or more, so that neither needs a horizontal scroll bar. The table keeps its place
// either way: only the chart moves.
class TableChartLayout final : public QLayout {
public:
    // Takes the table's layout and the chart (a widget of the layout's parent) as its two items.
    TableChartLayout(QLayout* table, ResultChart* chart);
    ~TableChartLayout() override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;

private:
    struct Places {
        QRect table;
        QRect chart;
    };
    // Where the two stand in `area`, the layout's rectangle less its margins.
    Places places(const QRect& area) const;
    // Whether the chart stands beside the table in a row this wide.
    bool besideWithin(int innerWidth) const;
    QLayoutItem* item(int index) const;

    QLayoutItem* table_ = nullptr;
    QLayoutItem* chart_ = nullptr;
    ResultChart* chartWidget_ = nullptr;
};

} // namespace kvarton
