#include "text_label.h"

#include "widgets.h"

#include <QEvent>
#include <QHash>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>

namespace kvarton {

TextLabel::TextLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    layout_.setTextFormat(Qt::PlainText);
    layout_.setPerformanceHint(QStaticText::ModerateCaching);
}

namespace {

constexpr std::size_t kKeptHints = 4; // a screen gives a label a few texts, one per step it shows
constexpr std::size_t kKeptHeights = 12; // a few texts, a few widths each
constexpr qsizetype kMaxShared = 20'000; // measures kept for all labels; forgotten all at once beyond

// Keeps `entry` first in `kept`, at most `limit` long.
template <typename T>
T& keepFirst(std::vector<T>& kept, T entry, std::size_t limit)
{
    if (kept.size() == limit)
        kept.pop_back();
    return *kept.insert(kept.begin(), std::move(entry));
}

// A text measured by a label of a font, style and shape; `width` for a height, -1 for the hints.
struct Measured {
    QString text;
    TextLabel::Shape shape;
    QFont font;
    const QStyle* style = nullptr;
    int width = -1;
    bool operator==(const Measured&) const = default;
};

size_t qHash(const Measured& m, size_t seed = 0)
{
    return qHashMulti(seed, m.text, m.font, m.width, m.shape.alignment, m.shape.wordWrap, m.shape.indent);
}

struct SharedHints {
    QSize size;
    QSize minimum; // not asked yet when invalid
};

// What every label has measured: captions come back from step to step on other labels, values
// repeat across the panels. Labels live on the screens' thread only. Never destroyed: the fonts in
// the keys must not outlive the application's font cache, which ends before static objects do.
QHash<Measured, SharedHints>& sharedHints()
{
    static auto* hints = new QHash<Measured, SharedHints>;
    return *hints;
}

QHash<Measured, int>& sharedHeights()
{
    static auto* heights = new QHash<Measured, int>;
    return *heights;
}

template <typename V>
typename QHash<Measured, V>::iterator findOrMake(QHash<Measured, V>& shared, Measured key, const auto& measure)
{
    auto it = shared.find(key);
    if (it != shared.end())
        return it;
    if (shared.size() >= kMaxShared)
        shared.clear();
    return shared.insert(std::move(key), measure());
}

} // namespace

TextLabel::Shape TextLabel::shape() const
{
    return {static_cast<int>(alignment()), indent(), margin(), static_cast<int>(textFormat()),
        static_cast<int>(textInteractionFlags()), frameWidth(), contentsMargins(), minimumSize(), maximumSize(),
        wordWrap(), buddy() != nullptr};
}

TextLabel::Hints& TextLabel::hints() const
{
    ensurePolished(); // the style's polish may change the font the hints are measured in
    const QString& current = text();
    const Shape now = shape();
    for (Hints& h : hints_)
        if (h.shape == now && h.text == current)
            return h;
    const auto it = findOrMake(sharedHints(), {current, now, font(), style(), -1},
        [this] { return SharedHints{QLabel::sizeHint(), {}}; });
    return keepFirst(hints_, Hints{current, now, it->size, it->minimum}, kKeptHints);
}

QSize TextLabel::sizeHint() const { return hints().size; }

QSize TextLabel::minimumSizeHint() const
{
    Hints& h = hints();
    if (!h.minimum.isValid()) {
        SharedHints& shared = *findOrMake(sharedHints(), {h.text, h.shape, font(), style(), -1},
            [&h] { return SharedHints{h.size, {}}; });
        if (!shared.minimum.isValid())
            shared.minimum = QLabel::minimumSizeHint();
        h.minimum = shared.minimum;
    }
    return h.minimum;
}

int TextLabel::heightForWidth(int width) const
{
    ensurePolished();
    const QString& current = text();
    const Shape now = shape();
    for (const Height& h : heights_)
        if (h.width == width && h.shape == now && h.text == current)
            return h.height;
    const int height = *findOrMake(sharedHeights(), {current, now, font(), style(), width},
        [this, width] { return QLabel::heightForWidth(width); });
    return keepFirst(heights_, Height{current, now, width, height}, kKeptHeights).height;
}

void TextLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        laidOutWidth_ = -1; // lay out again with the new font
        hints_.clear();
        heights_.clear();
    }
    QLabel::changeEvent(event);
}

// The few labels with line breaks of their own, selectable or rich text, a margin or a frame paint
// as any label: the laid-out glyphs would lose the selection, the markup, the margin or the frame.
// So does a wrapping label whose font has a leading (fonts on Windows): the laid-out lines stand
// without it, QLabel's lines are that much further apart.
bool TextLabel::paintsLaidOutText() const
{
    constexpr Qt::TextInteractionFlags kInteraction
        = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable;
    return textFormat() == Qt::PlainText && !(textInteractionFlags() & kInteraction) && margin() == 0
        && frameShape() == QFrame::NoFrame && !text().contains(u'\n') && !(wordWrap() && fontMetrics().leading() != 0);
}

void TextLabel::paintEvent(QPaintEvent* event)
{
    const QString& current = text();
    if (!paintsLaidOutText()) {
        QLabel::paintEvent(event);
        paintFocusFrame(*this);
        return;
    }
    QRect area = contentsRect();
    const int indentation = indent() > 0 ? indent() : 0;
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    if (align & Qt::AlignLeft)
        area.setLeft(area.left() + indentation);
    const int width = wordWrap() ? area.width() : -1;
    if (laidOutWidth_ != width || laidOutText_ != current) {
        layout_.setText(current);
        layout_.setTextWidth(width);
        QTextOption option(align & Qt::AlignHorizontal_Mask);
        option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
        layout_.setTextOption(option);
        layout_.prepare(QTransform(), font());
        laidOutText_ = current;
        laidOutWidth_ = width;
    }
    const QSizeF size = layout_.size();
    qreal x = area.left();
    if (!wordWrap()) {
        if (align & Qt::AlignRight)
            x = area.right() + 1 - size.width();
        else if (align & Qt::AlignHCenter)
            x = area.left() + (area.width() - size.width()) / 2;
    }
    qreal y = area.top();
    if (align & Qt::AlignBottom)
        y = area.bottom() + 1 - size.height();
    else if (align & Qt::AlignVCenter)
        y = area.top() + (area.height() - size.height()) / 2;

    QPainter painter(this);
    painter.setFont(font());
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Normal : QPalette::Disabled;
    painter.setPen(palette().color(group, foregroundRole()));
    painter.drawStaticText(QPointF(x, y), layout_);
    painter.end();
    paintFocusFrame(*this);
}


} // namespace kvarton
