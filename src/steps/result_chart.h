#pragma once

#include "calc/result_charts.h"

#include <QWidget>

namespace kvarton {

// Paints a results chart (calc::BarChart): a caption, the bars on one scale and a remark per line,
// the legend, and the sentences that say what the bars mean or why there are none. Its accessible
// name and description are the chart's own, so that a screen reader states every figure.
//
// Two bar charts do not justify Qt's chart module, which is licensed under the GPL only and brings
// the graphics-view framework along.
class ResultChart final : public QWidget {
    Q_OBJECT
public:
    ResultChart(const QString& name, QWidget* parent);

    void setChart(calc::BarChart chart);
    const calc::BarChart& chart() const { return chart_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Geometry;
    Geometry geometry(int width) const;

    calc::BarChart chart_;
};

} // namespace kvarton
