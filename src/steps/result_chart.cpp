#include "result_chart.h"

#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QStaticText>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace kvarton {

namespace {

constexpr int kGap = 8; // between the caption, the bars and the remark
constexpr int kLineSpacing = 3;
constexpr int kSwatch = 12; // the square of a legend entry
constexpr int kLegendSpacing = 16;
constexpr int kIndent = 16; // of a part under its heading
constexpr int kLeastBars = 120; // the bars' room, below which they would no longer compare lines

// The room the bars keep before the captions and remarks beside them are cut short: a third of
// the chart, and never less than the least.
int barsRoom(int width) { return std::max(kLeastBars, width / 3); }

QColor colourOf(calc::Swatch swatch) { return QColor::fromRgb(static_cast<QRgb>(calc::look(swatch).rgb)); }

// A hatch in the kind's colour on a pale tint of it, so that a hatched bar reads as its colour from
// afar and as its hatch from near; solid kinds are filled with the colour itself.
void fill(QPainter& p, const QRect& r, calc::Swatch swatch)
{
    const calc::SwatchLook look = calc::look(swatch);
    static constexpr Qt::BrushStyle kHatches[]{
        Qt::SolidPattern, Qt::BDiagPattern, Qt::DiagCrossPattern, Qt::HorPattern, Qt::Dense5Pattern};
    const QColor colour = colourOf(swatch);
    if (look.hatch != calc::Hatch::None) {
        const auto tint = [](int c) { return c + (255 - c) * 3 / 4; };
        p.fillRect(r, QColor(tint(colour.red()), tint(colour.green()), tint(colour.blue())));
    }
    p.fillRect(r, QBrush(colour, kHatches[static_cast<int>(look.hatch)]));
}

int barThickness(std::size_t bars) { return bars > 1 ? 8 : 16; }

// Screen readers announce a chart as a chart, then read its name and description.
QAccessibleInterface* chartAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String(ResultChart::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

int widthOf(const QStaticText& t) { return static_cast<int>(std::ceil(t.size().width())); }
int heightOf(const QStaticText& t) { return static_cast<int>(std::ceil(t.size().height())); }

// Whether the chart has heading lines, under which the other lines stand indented.
bool headed(const calc::BarChart& chart)
{
    return std::any_of(chart.lines.begin(), chart.lines.end(), [](const calc::ChartLine& l) { return l.heading; });
}

} // namespace

struct ResultChart::Layout {
    int width = 0;
    int height = 0;
    int captionWidth = 0;
    int remarkWidth = 0;
    int barLeft = 0;
    int barWidth = 0;
    struct Line {
        QRect band;
        int indent = 0;
        QStaticText caption;
        QStaticText remark;
        QRect remarkArea;
        std::vector<std::vector<QRect>> segments; // by bar; empty where a part has no length
    };
    std::vector<Line> lines;
    struct LegendItem {
        QRect swatch;
        QPoint text;
        QStaticText words;
    };
    std::vector<LegendItem> legend;
    std::vector<std::pair<QPoint, QStaticText>> sentences;
    std::vector<QRect> figures; // where each figure of the chart stands, empty where it is not drawn
};

ResultChart::ResultChart(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    static const bool accessible = (QAccessible::installFactory(chartAccessibility), true);
    Q_UNUSED(accessible);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMouseTracking(true); // the hand over a figure that can be asked
}

ResultChart::~ResultChart() = default;

void ResultChart::setChart(calc::BarChart chart)
{
    // Another group or other inputs: the figure picked keeps its place where the chart still has it.
    chart_ = std::move(chart);
    if (current_ >= static_cast<int>(chart_.figures.size()))
        current_ = -1;
    setFocusPolicy(chart_.figures.empty() ? Qt::NoFocus : Qt::StrongFocus);
    announceCurrent();
    setAccessibleDescription(qs(chart_.description));
    forgetLayouts();
    updateGeometry();
    update();
}

void ResultChart::forgetLayouts()
{
    for (auto& l : layouts_)
        l.reset();
    textWidths_.reset();
}

std::pair<int, int> ResultChart::textWidths() const
{
    if (!textWidths_) {
        const int indent = headed(chart_) ? kIndent : 0;
        std::pair<int, int> widths;
        for (const calc::ChartLine& line : chart_.lines) {
            widths.first
                = std::max(widths.first, (line.heading ? 0 : indent) + widthOf(shaped(qs(line.caption), line.heading)));
            widths.second = std::max(widths.second, widthOf(shaped(qs(line.remark), false)));
        }
        textWidths_ = widths;
    }
    return *textWidths_;
}

int ResultChart::readableWidth() const
{
    if (chart_.lines.empty())
        return 0;
    const auto [captions, remarks] = textWidths();
    const int texts = captions + remarks + 2 * kGap;
    // The bars keep their room: at least the least, and a third of the width (texts within two thirds).
    return std::max(texts + kLeastBars, (texts * 3 + 1) / 2);
}

const QStaticText& ResultChart::shaped(const QString& text, bool bold, int wrapWidth) const
{
    constexpr qsizetype kKept = 256; // a few charts' worth
    const QString key
        = text + (bold ? QStringLiteral("\x01b") : QString()) + QStringLiteral("\x01") + QString::number(wrapWidth);
    if (const auto it = shaped_.constFind(key); it != shaped_.cend())
        return *it;
    if (shaped_.size() >= kKept)
        shaped_.clear();
    QFont f = font();
    f.setBold(bold);
    QStaticText t(text);
    t.setTextFormat(Qt::PlainText);
    if (wrapWidth >= 0)
        t.setTextWidth(wrapWidth);
    t.prepare(QTransform(), f);
    return *shaped_.insert(key, t);
}

const ResultChart::Layout& ResultChart::laidOut(int width) const
{
    width = std::max(width, 1);
    for (const auto& l : layouts_)
        if (l && l->width == width)
            return *l;

    auto g = std::make_unique<Layout>();
    g->width = width;
    // The metrics of the device the widget paints on, whose resolution may differ from the screen's.
    const QFontMetrics fm(font(), this);
    const bool withHeadings = headed(chart_);
    const auto indentOf = [withHeadings](const calc::ChartLine& l) { return withHeadings && !l.heading ? kIndent : 0; };

    // Long captions and remarks give way to the bars where the chart is too narrow for both: they
    // are cut short, the description has them whole.
    std::tie(g->captionWidth, g->remarkWidth) = textWidths();
    if (g->captionWidth + g->remarkWidth + 2 * kGap > width - barsRoom(width)) {
        g->captionWidth = std::min(g->captionWidth, width * 2 / 5);
        g->remarkWidth = std::min(g->remarkWidth, width / 4);
    }
    g->barLeft = g->captionWidth + kGap;
    g->barWidth = std::max(0, width - g->barLeft - kGap - g->remarkWidth);
    const auto fitted = [&](const std::string& text, bool bold, int room) {
        const QStaticText& whole = shaped(qs(text), bold);
        if (widthOf(whole) <= room)
            return whole;
        QFont f = font();
        f.setBold(bold);
        return shaped(QFontMetrics(f, this).elidedText(qs(text), Qt::ElideRight, room), bold);
    };

    const double scale = chart_.scale();
    int y = 0;
    for (const calc::ChartLine& line : chart_.lines) {
        const int bars = static_cast<int>(line.bars.size());
        const int thickness = barThickness(line.bars.size());
        const int height = std::max(fm.height(), bars * thickness + std::max(0, bars - 1));
        Layout::Line l{QRect(0, y, width, height), indentOf(line),
            fitted(line.caption, line.heading, g->captionWidth - indentOf(line)),
            fitted(line.remark, false, g->remarkWidth), {}, {}};
        l.remarkArea = QRect(QPoint(g->barLeft + g->barWidth + kGap, y + (height - heightOf(l.remark)) / 2),
            QSize(widthOf(l.remark), heightOf(l.remark)));
        // The parts of each bar one after another from zero, on the chart's one scale.
        int top = y + (height - (bars * (thickness + 1) - (bars > 0 ? 1 : 0))) / 2;
        for (const calc::ChartBar& bar : line.bars) {
            std::vector<QRect>& parts = l.segments.emplace_back();
            double start = 0;
            for (const calc::ChartSegment& segment : bar) {
                QRect r;
                if (scale > 0 && segment.value > 0) {
                    const int x0 = g->barLeft + static_cast<int>(std::lround(start / scale * g->barWidth));
                    start += segment.value;
                    const int x1 = g->barLeft + static_cast<int>(std::lround(start / scale * g->barWidth));
                    if (x1 > x0)
                        r = QRect(x0, top, x1 - x0, thickness);
                }
                parts.push_back(r);
            }
            top += thickness + 1;
        }
        g->lines.push_back(std::move(l));
        y += height + kLineSpacing;
    }
    if (!chart_.lines.empty() && !chart_.legend.empty()) {
        y += kLineSpacing;
        int x = 0;
        for (const calc::LegendEntry& entry : chart_.legend) {
            const QStaticText& words = shaped(qs(entry.text), false);
            const int itemWidth = kSwatch + 4 + widthOf(words);
            if (x > 0 && x + itemWidth > width) {
                x = 0;
                y += fm.height() + 2;
            }
            const int top = y + (fm.height() - kSwatch) / 2;
            g->legend.push_back({QRect(x, top, kSwatch, kSwatch), QPoint(x + kSwatch + 4, y), words});
            x += itemWidth + kLegendSpacing;
        }
        y += fm.height() + kLineSpacing;
    }
    for (const std::string& sentence : chart_.sentences) {
        const QStaticText& words = shaped(qs(sentence), false, width);
        g->sentences.emplace_back(QPoint(0, y), words);
        y += heightOf(words) + 2;
    }
    g->height = y;

    using Place = calc::ChartFigure::Place;
    for (const calc::ChartFigure& f : chart_.figures) {
        QRect at;
        switch (f.place) {
        case Place::Segment:
            if (f.index < g->lines.size() && f.bar < g->lines[f.index].segments.size()
                && f.segment < g->lines[f.index].segments[f.bar].size())
                at = g->lines[f.index].segments[f.bar][f.segment];
            break;
        case Place::Remark:
            if (f.index < g->lines.size())
                at = g->lines[f.index].remarkArea;
            break;
        case Place::Legend:
            if (f.index < g->legend.size()) {
                const Layout::LegendItem& item = g->legend[f.index];
                at = item.swatch.united(QRect(item.text, QSize(widthOf(item.words), heightOf(item.words))));
            }
            break;
        case Place::Sentence:
            if (f.index < g->sentences.size()) {
                const auto& [point, words] = g->sentences[f.index];
                at = QRect(point, QSize(widthOf(words), heightOf(words)));
            }
            break;
        }
        g->figures.push_back(at);
    }

    std::move_backward(layouts_.begin(), layouts_.end() - 1, layouts_.end());
    layouts_.front() = std::move(g);
    return *layouts_.front();
}

QSize ResultChart::sizeHint() const
{
    // Narrow enough never to widen the window; as tall as the width it has (or would have) asks.
    const int width = this->width() > 0 ? this->width() : 480;
    return {480, heightForWidth(width)};
}

// Its height follows its width (heightForWidth), which the layouts ask: a minimum height taken at
// some width would hold the screen taller than the chart at another, with a needless scroll bar.
QSize ResultChart::minimumSizeHint() const { return {240, 0}; }

int ResultChart::heightForWidth(int width) const { return laidOut(width).height; }

void ResultChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        shaped_.clear();
        forgetLayouts();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void ResultChart::paintEvent(QPaintEvent*)
{
    const Layout& g = laidOut(width());
    QPainter p(this);
    const QColor text = palette().color(QPalette::WindowText);
    const QColor edge(0x40, 0x40, 0x40);
    QFont bold = font();
    bold.setBold(true);
    const auto middle
        = [](const QRect& band, const QStaticText& t) { return band.top() + (band.height() - heightOf(t)) / 2; };

    for (std::size_t i = 0; i < chart_.lines.size(); ++i) {
        const calc::ChartLine& line = chart_.lines[i];
        const Layout::Line& l = g.lines[i];
        p.setPen(text);
        p.setFont(line.heading ? bold : font());
        p.drawStaticText(l.indent, middle(l.band, l.caption), l.caption);
        p.setFont(font());
        p.drawStaticText(g.barLeft + g.barWidth + kGap, middle(l.band, l.remark), l.remark);

        for (std::size_t b = 0; b < line.bars.size(); ++b)
            for (std::size_t k = 0; k < line.bars[b].size(); ++k) {
                const QRect& r = l.segments[b][k];
                if (r.isEmpty())
                    continue;
                fill(p, r, line.bars[b][k].swatch);
                p.setPen(edge);
                p.drawRect(r.adjusted(0, 0, -1, -1));
            }
    }
    if (!g.lines.empty()) { // the zero of the scale
        p.setPen(edge);
        p.drawLine(g.barLeft, g.lines.front().band.top(), g.barLeft, g.lines.back().band.bottom());
    }
    p.setFont(font());
    for (std::size_t i = 0; i < g.legend.size(); ++i) {
        fill(p, g.legend[i].swatch, chart_.legend[i].swatch);
        p.setPen(edge);
        p.drawRect(g.legend[i].swatch.adjusted(0, 0, -1, -1));
        p.setPen(text);
        p.drawStaticText(g.legend[i].text, g.legend[i].words);
    }
    for (const auto& [at, words] : g.sentences)
        p.drawStaticText(at, words);
    // The figure picked, framed in the colour of a selection: a style's thin focus frame is lost
    // among the edges and hatches of the bars.
    if (hasFocus() && current_ >= 0 && static_cast<std::size_t>(current_) < g.figures.size()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(g.figures[static_cast<std::size_t>(current_)].adjusted(-2, -2, 1, 1));
    }
}

int ResultChart::figureAt(const QPoint& point) const
{
    const Layout& g = laidOut(width());
    // Remarks and legend entries stand clear of the bars; a bar's parts do not overlap.
    for (std::size_t i = 0; i < g.figures.size(); ++i)
        if (g.figures[i].adjusted(-1, -1, 1, 1).contains(point))
            return static_cast<int>(i);
    return -1;
}

QRect ResultChart::figureArea(int index) const
{
    const Layout& g = laidOut(width());
    return index >= 0 && static_cast<std::size_t>(index) < g.figures.size() ? g.figures[static_cast<std::size_t>(index)]
                                                                            : QRect();
}

int ResultChart::drawnFrom(int index, int direction) const
{
    const int count = static_cast<int>(chart_.figures.size());
    for (int i = index; i >= 0 && i < count; i += direction)
        if (!figureArea(i).isEmpty())
            return i;
    return current_; // nothing further that way: the figure picked stays
}

void ResultChart::setCurrentFigure(int index)
{
    const int count = static_cast<int>(chart_.figures.size());
    current_ = count == 0 || index < 0 ? -1 : std::min(index, count - 1);
    announceCurrent();
    update();
}

void ResultChart::askCurrentFigure()
{
    if (current_ >= 0 && static_cast<std::size_t>(current_) < chart_.figures.size())
        emit figureAsked(chart_.figures[static_cast<std::size_t>(current_)].figure);
}

void ResultChart::announceCurrent()
{
    const bool picked = hasFocus() && current_ >= 0;
    setAccessibleName(picked ? qs(chart_.figures[static_cast<std::size_t>(current_)].words) : qs(chart_.name));
}

bool ResultChart::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        // Bars carry no numbers: the tip says the figure under the pointer.
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const int i = figureAt(help->pos()); i >= 0)
            QToolTip::showText(help->globalPos(),
                qs(chart_.figures[static_cast<std::size_t>(i)].words) + QStringLiteral("\nКак получено: щелчок"), this);
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::ShortcutOverride: { // F1 on a figure asks the figure, not the help
        const auto* key = static_cast<QKeyEvent*>(event);
        if (current_ >= 0
            && (key->key() == Qt::Key_F1 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            event->accept();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void ResultChart::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        setCurrentFigure(drawnFrom(current_ - 1, -1));
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        setCurrentFigure(drawnFrom(current_ + 1, 1));
        break;
    case Qt::Key_Home:
        setCurrentFigure(drawnFrom(0, 1));
        break;
    case Qt::Key_End:
        setCurrentFigure(drawnFrom(static_cast<int>(chart_.figures.size()) - 1, -1));
        break;
    case Qt::Key_F1:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        askCurrentFigure();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ResultChart::mouseMoveEvent(QMouseEvent* event)
{
    if (figureAt(event->position().toPoint()) >= 0)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void ResultChart::mouseReleaseEvent(QMouseEvent* event)
{
    const int i = event->button() == Qt::LeftButton ? figureAt(event->position().toPoint()) : -1;
    if (i < 0) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    current_ = i;
    update();
    askCurrentFigure();
}

void ResultChart::focusInEvent(QFocusEvent* event)
{
    if (current_ < 0 || figureArea(current_).isEmpty())
        current_ = drawnFrom(0, 1);
    announceCurrent();
    update();
    QWidget::focusInEvent(event);
}

void ResultChart::focusOutEvent(QFocusEvent* event)
{
    announceCurrent();
    update();
    QWidget::focusOutEvent(event);
}

} // namespace kvarton
