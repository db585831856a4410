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
// description is the chart's own, so that a screen reader states every figure; its name is the
// chart's, or the words of the figure picked while the chart has the focus.
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

    // The figures the chart states can be asked, as the values of the tables: a click on a bar, a
    // remark, a legend entry or the sentence that states one; or Tab to the chart, the arrows to a
    // figure and Enter or F1 (the arrows pass over figures of 0, which have no bar to frame). The
    // figure picked, -1 for none.
    int currentFigure() const { return current_; }
    void setCurrentFigure(int index);
    // The figure picked asked, as Enter does.
    void askCurrentFigure();
    // Where a figure stands, empty where it is not drawn.
    QRect figureArea(int index) const;

    // The narrowest width at which the captions and remarks stand whole beside bars of a length
    // that still compares them (0 for a chart of words alone).
    int readableWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void figureAsked(const calc::FigureRef& figure);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Layout;
    // The chart laid out for a width: its places and its texts shaped once. Layouts ask the
    // height for a width many times, and every click repaints; the last two widths are kept.
    const Layout& laidOut(int width) const;
    void forgetLayouts();
    // The figure that stands at `point`, -1 for none.
    int figureAt(const QPoint& point) const;
    // The first figure from `index` on, in `direction` (1 or -1), that the chart draws (a part of
    // a bar of 0 has no place); the figure picked where there is none.
    int drawnFrom(int index, int direction) const;
    // Says the figure picked to a screen reader, as the chart's name.
    void announceCurrent();
    // The widest caption (with its indent) and the widest remark, uncut.
    std::pair<int, int> textWidths() const;
    // `text` shaped in the widget's font, bold or not, wrapped at `wrapWidth` (-1: one line).
    // Captions and the legend recur from one chart to the next: shaped texts are kept.
    const QStaticText& shaped(const QString& text, bool bold, int wrapWidth = -1) const;

    calc::BarChart chart_;
    int current_ = -1;
    mutable std::array<std::unique_ptr<Layout>, 2> layouts_; // newest first
    mutable std::optional<std::pair<int, int>> textWidths_;
    mutable QHash<QString, QStaticText> shaped_;
};

} // namespace kvarton
