#include "explanation_panel.h"

#include "widgets.h"

#include "model/field_captions.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kvarton {

namespace {

// The panel stands beside the step and leaves it the rest of the window.
constexpr int kPanelWidth = 400;
// Each level of unfolding stands this far to the right of the line it unfolds.
constexpr int kIndent = 16;
// Room between the lines and the scroll bar.
constexpr int kGap = 6;

const QString kLineName = QStringLiteral("ExplanationLine");
const QString kLinkName = QStringLiteral("ExplanationLink");

QString unfoldHint(bool unfolded)
{
    return unfolded ? QStringLiteral("ссылка: свернуть объяснение") : QStringLiteral("ссылка: раскрыть объяснение");
}

} // namespace

ExplanationText::ExplanationText(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setObjectName(kLineName);
    setWordWrap(true);
    setMinimumWidth(1); // wraps at the width the panel gives it, however deep it stands
    setAccessibleName(text);
}

void ExplanationText::layOut(int width)
{
    if (width == laidOutWidth_ && layout_.text() == text())
        return;
    layout_.setText(text());
    layout_.setTextFormat(Qt::PlainText);
    layout_.setTextWidth(width);
    layout_.prepare(QTransform(), font());
    laidOutWidth_ = width;
}

int ExplanationText::heightAt(int width)
{
    const QMargins m = contentsMargins();
    layOut(width - m.left() - m.right());
    return static_cast<int>(std::ceil(layout_.size().height())) + m.top() + m.bottom();
}

void ExplanationText::paintEvent(QPaintEvent* /*event*/)
{
    const QRect area = contentsRect();
    layOut(area.width());
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, foregroundRole()));
    painter.drawStaticText(area.topLeft(), layout_);
}

ExplanationLink::ExplanationLink(const QString& text, const QString& whereTo, QWidget* parent)
    : ExplanationText(text, parent)
{
    setObjectName(kLinkName);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setForegroundRole(QPalette::Link);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setAccessibleDescription(whereTo);
}

void ExplanationLink::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit activated();
        return;
    default:
        ExplanationText::keyPressEvent(event);
    }
}

void ExplanationLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit activated();
        return;
    }
    ExplanationText::mouseReleaseEvent(event);
}

void ExplanationLink::paintEvent(QPaintEvent* event)
{
    ExplanationText::paintEvent(event);
    paintFocusFrame(*this);
}

ExplanationPanel::ExplanationPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("ExplanationPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true); // it stands over the step: nothing of it shows through
    setFixedWidth(kPanelWidth);
    setAccessibleName(QStringLiteral("Как получено"));
    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    QLabel* title = makeTitle(this, QStringLiteral("ExplanationHead"), QStringLiteral("Как получено"));
    head->addWidget(title, 1);
    close_ = makeButton(this, QStringLiteral("CloseExplanation"), QStringLiteral("Закрыть"));
    close_->setToolTip(QStringLiteral("Закрыть объяснение (Esc)"));
    head->addWidget(close_);
    layout->addLayout(head);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    // The lines are as tall as they wrap at the panel's width (fitLines), which a resizable widget of
    // a scroll area is not: the area would squeeze them to its height.
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(scroll_, 1);
    connect(close_, &QPushButton::clicked, this, &ExplanationPanel::closeRequested);
}

ExplanationPanel::~ExplanationPanel() = default;

void ExplanationPanel::explain(
    const InstitutionModel& model, const calc::StepOptions& options, const calc::FigureRef& figure)
{
    if (asked_ != figure)
        unfolded_.clear();
    asked_ = figure;
    options_ = options;
    explainer_ = std::make_unique<calc::Explainer>(model, options);
    rebuild();
}

// A link that was followed may be among the lines let go: they go after its event.
void ExplanationPanel::clear()
{
    if (QWidget* old = scroll_->takeWidget())
        old->deleteLater();
    content_ = nullptr;
    lines_ = nullptr;
}

void ExplanationPanel::rebuild()
{
    clear();
    content_ = new QWidget;
    lines_ = new QVBoxLayout(content_);
    lines_->setContentsMargins(0, 0, 0, 0);
    lines_->addStretch(1);
    addLines(explainer_->asked(*asked_), 0, {});
    scroll_->setWidget(content_);
    fitLines();
}

// Each line is given the height its text wraps to in the panel's column: a column of wrapping labels in a scroll area
// is otherwise squeezed towards the area's height.
void ExplanationPanel::fitLines()
{
    if (!content_)
        return;
    const QMargins margins = layout()->contentsMargins();
    const int width = kPanelWidth - 2 * frameWidth() - margins.left() - margins.right()
        - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_) - kGap;
    for (int i = 0; i < lines_->count(); ++i) {
        auto* line = qobject_cast<ExplanationText*>(lines_->itemAt(i)->widget());
        // The column keeps its width: a line is measured once, when it is made.
        if (!line || line->property("fitted").toBool())
            continue;
        line->setFixedHeight(line->heightAt(width));
        line->setProperty("fitted", true);
    }
    content_->setFixedWidth(width);
    // The column is as tall as its lines with the spaces between them.
    int height = 0;
    int shown = 0;
    for (int i = 0; i < lines_->count(); ++i)
        if (const QWidget* line = lines_->itemAt(i)->widget()) {
            height += line->minimumHeight();
            ++shown;
        }
    content_->setFixedHeight(height + std::max(0, shown - 1) * lines_->spacing());
}

void ExplanationPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitLines();
}

namespace {

int depthOf(const QWidget* line) { return line->property("depth").toInt(); }

} // namespace

// The lines stand in one column, an unfolded figure's right under its link and indented by its
// depth: a label wraps at the width it is given, which nested boxes would not give it.
int ExplanationPanel::addLines(const calc::Explanation& e, int at, const Path& path)
{
    const int depth = static_cast<int>(path.size());
    const auto place = [&](ExplanationText* line) {
        line->setContentsMargins(kIndent * depth, 0, 0, 0);
        line->setProperty("depth", depth);
        lines_->insertWidget(at++, line);
        line->show(); // now, not after the event: the column's height counts only lines shown
    };
    for (const calc::ExplanationLine& line : e.lines) {
        // An unfolded figure stands under its operand line, which names it with its value.
        if (depth > 0 && (line.kind == calc::LineKind::Title || line.kind == calc::LineKind::Context))
            continue;
        const QString text = QString::fromStdString(calc::readLine(line));
        const FieldRef* input = line.target ? std::get_if<FieldRef>(&*line.target) : nullptr;
        const calc::QuantityRef* figure = line.target ? std::get_if<calc::QuantityRef>(&*line.target) : nullptr;
        if (input && fieldPlace(*input).step > 0) {
            auto* link = new ExplanationLink(text, QStringLiteral("ссылка: перейти к полю"), content_);
            connect(link, &ExplanationLink::activated, this, [this, field = *input] { emit inputRequested(field); });
            place(link);
        } else if (figure && depth < 64) {
            Path to = path;
            to.push_back(*figure);
            const bool open = std::find(unfolded_.begin(), unfolded_.end(), to) != unfolded_.end();
            auto* link = new ExplanationLink(text, unfoldHint(false), content_);
            connect(link, &ExplanationLink::activated, this, [this, link, to] { toggle(link, to); });
            place(link);
            if (open)
                at = unfold(link, to);
        } else {
            auto* plain = new ExplanationText(text, content_);
            if (line.kind == calc::LineKind::Title) {
                QFont bold = plain->font();
                bold.setBold(true);
                plain->setFont(bold);
            }
            place(plain);
        }
    }
    return at;
}

int ExplanationPanel::unfold(ExplanationLink* link, const Path& path)
{
    if (std::find(unfolded_.begin(), unfolded_.end(), path) == unfolded_.end())
        unfolded_.push_back(path);
    link->setAccessibleDescription(unfoldHint(true));
    const int after = addLines(explainer_->quantity(path.back()), lines_->indexOf(link) + 1, path);
    fitLines();
    return after;
}

// A link unfolds its figure under it, or folds it with whatever was unfolded within.
void ExplanationPanel::toggle(ExplanationLink* link, const Path& path)
{
    const int at = lines_->indexOf(link) + 1;
    const int depth = depthOf(link);
    const auto inside = [&] {
        QWidget* next = at < lines_->count() ? lines_->itemAt(at)->widget() : nullptr;
        return next && depthOf(next) > depth ? next : nullptr;
    };
    if (!inside()) {
        // What unfolds comes into view, as much of it as the panel shows under its link.
        const int after = unfold(link, path);
        lines_->activate();
        if (QWidget* last = after > at ? lines_->itemAt(after - 1)->widget() : nullptr)
            scroll_->ensureWidgetVisible(last, 0, 0);
        scroll_->ensureWidgetVisible(link, 0, 0);
        return;
    }
    while (QWidget* line = inside()) {
        lines_->removeWidget(line);
        line->hide();
        line->deleteLater();
    }
    std::erase_if(unfolded_,
        [&](const Path& p) { return p.size() >= path.size() && std::equal(path.begin(), path.end(), p.begin()); });
    link->setAccessibleDescription(unfoldHint(false));
    fitLines();
}

void ExplanationPanel::linksInto(std::vector<ExplanationLink*>& links) const
{
    for (int i = 0; lines_ && i < lines_->count(); ++i)
        if (auto* link = qobject_cast<ExplanationLink*>(lines_->itemAt(i)->widget()))
            links.push_back(link);
}

QStringList ExplanationPanel::readingOrder() const
{
    QStringList lines;
    for (int i = 0; lines_ && i < lines_->count(); ++i)
        if (const auto* line = qobject_cast<const QLabel*>(lines_->itemAt(i)->widget()))
            lines << QString(2 * depthOf(line), u' ') + line->text();
    return lines;
}

QString ExplanationPanel::unfoldedText() const
{
    return explainer_ && asked_ ? QString::fromStdString(explainer_->unfoldedText(*asked_)) : QString();
}

bool ExplanationPanel::follow(const QString& text)
{
    std::vector<ExplanationLink*> links;
    linksInto(links);
    const auto reads = [&](const ExplanationLink* link, bool whole) {
        const QString shown = link->text();
        const QString bare = shown.startsWith(QStringLiteral("— ")) ? shown.mid(2) : shown;
        return whole ? shown == text || bare == text : shown.startsWith(text) || bare.startsWith(text);
    };
    for (bool whole : {true, false})
        for (ExplanationLink* link : links)
            if (reads(link, whole)) {
                emit link->activated();
                return true;
            }
    return false;
}

QWidget* ExplanationPanel::firstLink() const
{
    std::vector<ExplanationLink*> links;
    linksInto(links);
    return links.empty() ? static_cast<QWidget*>(close_) : links.front();
}

} // namespace kvarton
