#include "result_chart.h"

#include "widgets.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kvarton {

namespace {

constexpr int kGap = 8; // between the caption, the bars and the remark
constexpr int kLineSpacing = 3;
constexpr int kSwatch = 12; // the square of a legend entry
constexpr int kLegendSpacing = 16;
constexpr int kIndent = 16; // of a part under its heading

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

// The text cut short with an ellipsis only where it is wider than `width`: elidedText cuts a text
// that fits exactly.
QString fitted(const QFontMetrics& fm, const std::string& text, int width)
{
    const QString t = qs(text);
    return fm.horizontalAdvance(t) <= width ? t : fm.elidedText(t, Qt::ElideRight, width);
}

int barThickness(std::size_t bars) { return bars > 1 ? 8 : 16; }

} // namespace

struct ResultChart::Geometry {
    int captionWidth = 0;
    int remarkWidth = 0;
    int barLeft = 0;
    int barWidth = 0;
    std::vector<QRect> lines; // the band of each line
    struct LegendItem {
        QRect swatch;
        QRect text;
    };
    std::vector<LegendItem> legend;
    std::vector<QRect> sentences;
    int height = 0;
};

ResultChart::ResultChart(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ResultChart::setChart(calc::BarChart chart)
{
    chart_ = std::move(chart);
    setAccessibleName(qs(chart_.name));
    setAccessibleDescription(qs(chart_.description));
    updateGeometry();
    update();
}

ResultChart::Geometry ResultChart::geometry(int width) const
{
    Geometry g;
    QFont bold = font();
    bold.setBold(true);
    // The metrics of the device the widget paints on, whose resolution may differ from the screen's.
    const QFontMetrics fm(font(), this);
    const QFontMetrics boldMetrics(bold, this);
    const bool headed
        = std::any_of(chart_.lines.begin(), chart_.lines.end(), [](const calc::ChartLine& l) { return l.heading; });
    for (const calc::ChartLine& line : chart_.lines) {
        const QFontMetrics& m = line.heading ? boldMetrics : fm;
        const int indent = headed && !line.heading ? kIndent : 0;
        g.captionWidth = std::max(g.captionWidth, indent + m.horizontalAdvance(qs(line.caption)));
        g.remarkWidth = std::max(g.remarkWidth, fm.horizontalAdvance(qs(line.remark)));
    }
    // Long captions give way to the bars: they are cut short, the description has them whole.
    g.captionWidth = std::min(g.captionWidth, width * 2 / 5);
    g.remarkWidth = std::min(g.remarkWidth, width / 4);
    g.barLeft = g.captionWidth + kGap;
    g.barWidth = std::max(0, width - g.barLeft - kGap - g.remarkWidth);

    int y = 0;
    for (const calc::ChartLine& line : chart_.lines) {
        const int bars = static_cast<int>(line.bars.size());
        const int height = std::max(fm.height(), bars * barThickness(line.bars.size()) + std::max(0, bars - 1));
        g.lines.emplace_back(0, y, width, height);
        y += height + kLineSpacing;
    }
    if (!chart_.lines.empty() && !chart_.legend.empty()) {
        y += kLineSpacing;
        int x = 0;
        for (const calc::LegendEntry& entry : chart_.legend) {
            const int textWidth = fm.horizontalAdvance(qs(entry.text));
            const int itemWidth = kSwatch + 4 + textWidth;
            if (x > 0 && x + itemWidth > width) {
                x = 0;
                y += fm.height() + 2;
            }
            const int top = y + (fm.height() - kSwatch) / 2;
            g.legend.push_back({QRect(x, top, kSwatch, kSwatch), QRect(x + kSwatch + 4, y, textWidth, fm.height())});
            x += itemWidth + kLegendSpacing;
        }
        y += fm.height() + kLineSpacing;
    }
    for (const std::string& sentence : chart_.sentences) {
        const QRect r = fm.boundingRect(QRect(0, y, std::max(width, 1), 100000), Qt::TextWordWrap, qs(sentence));
        g.sentences.emplace_back(0, y, width, r.height());
        y += r.height() + 2;
    }
    g.height = y;
    return g;
}

QSize ResultChart::sizeHint() const
{
    // Narrow enough never to widen the window; as tall as the window's width lets it be.
    const int width = 480;
    return {width, heightForWidth(width)};
}

// Never squeezed below its content: a screen too small for it scrolls instead.
QSize ResultChart::minimumSizeHint() const { return {240, heightForWidth(width() > 0 ? width() : sizeHint().width())}; }

int ResultChart::heightForWidth(int width) const { return geometry(width).height; }

void ResultChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void ResultChart::paintEvent(QPaintEvent*)
{
    const Geometry g = geometry(width());
    QPainter p(this);
    const QColor text = palette().color(QPalette::WindowText);
    const QColor edge(0x40, 0x40, 0x40);
    QFont bold = font();
    bold.setBold(true);
    const double scale = chart_.scale();

    const bool headed
        = std::any_of(chart_.lines.begin(), chart_.lines.end(), [](const calc::ChartLine& l) { return l.heading; });
    for (std::size_t i = 0; i < chart_.lines.size(); ++i) {
        const calc::ChartLine& line = chart_.lines[i];
        const QRect band = g.lines[i];
        p.setPen(text);
        p.setFont(line.heading ? bold : font());
        // Parts stand indented under their heading, as in the table above.
        const int indent = headed && !line.heading ? kIndent : 0;
        const QRect caption(indent, band.top(), g.captionWidth - indent, band.height());
        p.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, fitted(p.fontMetrics(), line.caption, caption.width()));
        p.setFont(font());

        const int thickness = barThickness(line.bars.size());
        const int barsHeight = static_cast<int>(line.bars.size()) * (thickness + 1) - (line.bars.empty() ? 0 : 1);
        int y = band.top() + (band.height() - barsHeight) / 2;
        for (const calc::ChartBar& bar : line.bars) {
            double start = 0;
            for (const calc::ChartSegment& segment : bar) {
                if (scale <= 0 || segment.value <= 0)
                    continue;
                const int x0 = g.barLeft + static_cast<int>(std::lround(start / scale * g.barWidth));
                start += segment.value;
                const int x1 = g.barLeft + static_cast<int>(std::lround(start / scale * g.barWidth));
                if (x1 <= x0)
                    continue;
                const QRect r(x0, y, x1 - x0, thickness);
                fill(p, r, segment.swatch);
                p.setPen(edge);
                p.drawRect(r.adjusted(0, 0, -1, -1));
            }
            y += thickness + 1;
        }
        p.setPen(text);
        p.drawText(QRect(g.barLeft + g.barWidth + kGap, band.top(), g.remarkWidth, band.height()),
            Qt::AlignLeft | Qt::AlignVCenter, fitted(p.fontMetrics(), line.remark, g.remarkWidth));
    }
    if (!g.lines.empty()) { // the zero of the scale
        p.setPen(edge);
        p.drawLine(g.barLeft, g.lines.front().top(), g.barLeft, g.lines.back().bottom());
    }
    for (std::size_t i = 0; i < g.legend.size(); ++i) {
        fill(p, g.legend[i].swatch, chart_.legend[i].swatch);
        p.setPen(edge);
        p.drawRect(g.legend[i].swatch.adjusted(0, 0, -1, -1));
        p.setPen(text);
        p.drawText(g.legend[i].text, Qt::AlignLeft | Qt::AlignVCenter, qs(chart_.legend[i].text));
    }
    for (std::size_t i = 0; i < g.sentences.size(); ++i)
        p.drawText(g.sentences[i], Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, qs(chart_.sentences[i]));
}

} // namespace kvarton
