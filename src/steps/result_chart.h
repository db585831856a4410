#pragma once

#include "calc/result_charts.h"

#include <QHash>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <utility>

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
    ~ResultChart() override;

    void setChart(calc::BarChart chart);
    const calc::BarChart& chart() const { return chart_; }

    // The narrowest width at which the captions and remarks stand whole beside bars of a length
    // that still compares them (0 for a chart of words alone).
    int readableWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Layout;
    // The chart laid out for a width: its places and its texts shaped once. Layouts ask the
    // height for a width many times, and every click repaints; the last two widths are kept.
    const Layout& laidOut(int width) const;
    void forgetLayouts();
    // The widest caption (with its indent) and the widest remark, uncut.
    std::pair<int, int> textWidths() const;
    // `text` shaped in the widget's font, bold or not, wrapped at `wrapWidth` (-1: one line).
    // Captions and the legend recur from one chart to the next: shaped texts are kept.
    const QStaticText& shaped(const QString& text, bool bold, int wrapWidth = -1) const;

    calc::BarChart chart_;
    mutable std::array<std::unique_ptr<Layout>, 2> layouts_; // newest first
    mutable std::optional<std::pair<int, int>> textWidths_;
    mutable QHash<QString, QStaticText> shaped_;
};

} // namespace kvarton
