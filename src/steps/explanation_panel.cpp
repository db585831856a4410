#include "explanation_panel.h"

#include "widgets.h"

#include "model/field_captions.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVBoxLayout>

#include <algorithm>

namespace kvarton {

namespace {

// The panel stands beside the step and leaves it the rest of the window.
constexpr int kPanelWidth = 400;
// Each level of unfolding stands this far to the right of the line it unfolds.
constexpr int kIndent = 16;

const QString kLineName = QStringLiteral("ExplanationLine");
const QString kLinkName = QStringLiteral("ExplanationLink");
const QString kUnfoldedName = QStringLiteral("ExplanationUnfolded");

QString unfoldHint(bool unfolded)
{
    return unfolded ? QStringLiteral("ссылка: свернуть объяснение") : QStringLiteral("ссылка: раскрыть объяснение");
}

} // namespace

ExplanationLink::ExplanationLink(const QString& text, const QString& whereTo, QWidget* parent)
    : QLabel(text, parent)
{
    setObjectName(kLinkName);
    setWordWrap(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setForegroundRole(QPalette::Link);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setAccessibleName(text);
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
        QLabel::keyPressEvent(event);
    }
}

void ExplanationLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit activated();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ExplanationLink::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

ExplanationPanel::ExplanationPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("ExplanationPanel"));
    setFrameShape(QFrame::StyledPanel);
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
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(scroll_, 1);
    connect(close_, &QPushButton::clicked, this, &ExplanationPanel::closeRequested);
}

ExplanationPanel::~ExplanationPanel() = default;

void ExplanationPanel::explain(const InstitutionModel& model, const calc::StepOptions& options, const QString& label)
{
    if (label != label_)
        unfolded_.clear();
    label_ = label;
    options_ = options;
    explainer_ = std::make_unique<calc::Explainer>(model, options);
    rebuild();
}

void ExplanationPanel::rebuild()
{
    // The lines before are let go after the event that asked for new ones: a link that was followed
    // may be among them.
    if (QWidget* old = scroll_->takeWidget())
        old->deleteLater();
    content_ = new QWidget;
    auto* lines = new QVBoxLayout(content_);
    lines->setContentsMargins(0, 0, 0, 0);
    addLines(explainer_->figure(label_.toStdString()), content_, lines, 0);
    lines->addStretch(1);
    scroll_->setWidget(content_);
}

void ExplanationPanel::addLines(const calc::Explanation& e, QWidget* parent, QVBoxLayout* into, int depth)
{
    for (const calc::ExplanationLine& line : e.lines) {
        // An unfolded figure stands under its operand line, which names it with its value.
        if (depth > 0 && (line.kind == calc::LineKind::Title || line.kind == calc::LineKind::Context))
            continue;
        const QString text = QString::fromStdString(calc::readLine(line));
        const FieldRef* input = line.target ? std::get_if<FieldRef>(&*line.target) : nullptr;
        const calc::QuantityRef* figure = line.target ? std::get_if<calc::QuantityRef>(&*line.target) : nullptr;
        if (input && fieldPlace(*input).step > 0) {
            auto* link = new ExplanationLink(text, QStringLiteral("ссылка: перейти к полю"), parent);
            connect(link, &ExplanationLink::activated, this, [this, field = *input] { emit inputRequested(field); });
            into->addWidget(link);
        } else if (figure && depth < 64) {
            const bool open = std::find(unfolded_.begin(), unfolded_.end(), *figure) != unfolded_.end();
            auto* link = new ExplanationLink(text, unfoldHint(open), parent);
            connect(
                link, &ExplanationLink::activated, this, [this, link, q = *figure, depth] { toggle(link, q, depth); });
            into->addWidget(link);
            if (open)
                toggle(link, *figure, depth);
        } else {
            QLabel* plain = makeLabel(parent, kLineName, text, true);
            plain->setAccessibleName(text);
            if (line.kind == calc::LineKind::Title) {
                QFont bold = plain->font();
                bold.setBold(true);
                plain->setFont(bold);
            }
            into->addWidget(plain);
        }
    }
}

// The unfolded explanation is a box right under the link, made the first time it is asked for
// and shown or hidden after.
void ExplanationPanel::toggle(ExplanationLink* link, calc::QuantityRef q, int depth)
{
    auto* parent = link->parentWidget();
    auto* layout = static_cast<QVBoxLayout*>(parent->layout());
    const int at = layout->indexOf(link);
    QWidget* next = at + 1 < layout->count() ? layout->itemAt(at + 1)->widget() : nullptr;
    QWidget* block = next && next->objectName() == kUnfoldedName && next->property("unfolds").value<QObject*>() == link
        ? next
        : nullptr;
    const bool listed = std::find(unfolded_.begin(), unfolded_.end(), q) != unfolded_.end();
    if (!block) {
        block = new QWidget(parent);
        block->setObjectName(kUnfoldedName);
        block->setProperty("unfolds", QVariant::fromValue(static_cast<QObject*>(link)));
        auto* lines = new QVBoxLayout(block);
        lines->setContentsMargins(kIndent, 0, 0, 0);
        addLines(explainer_->quantity(q), block, lines, depth + 1);
        layout->insertWidget(at + 1, block);
        if (!listed)
            unfolded_.push_back(q);
        link->setAccessibleDescription(unfoldHint(true));
        return;
    }
    const bool open = !block->isVisibleTo(parent);
    block->setVisible(open);
    link->setAccessibleDescription(unfoldHint(open));
    if (open && !listed)
        unfolded_.push_back(q);
    else if (!open)
        std::erase(unfolded_, q);
}

void ExplanationPanel::readInto(const QWidget* block, int depth, QStringList& lines) const
{
    const QLayout* layout = block->layout();
    for (int i = 0; layout && i < layout->count(); ++i) {
        const QWidget* w = layout->itemAt(i)->widget();
        if (!w || !w->isVisibleTo(block))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w))
            lines << QString(2 * depth, u' ') + label->text();
        else if (w->objectName() == kUnfoldedName)
            readInto(w, depth + 1, lines);
    }
}

QStringList ExplanationPanel::readingOrder() const
{
    QStringList lines;
    if (content_)
        readInto(content_, 0, lines);
    return lines;
}

QString ExplanationPanel::unfoldedText() const
{
    return explainer_ ? QString::fromStdString(explainer_->unfoldedText(label_.toStdString())) : QString();
}

bool ExplanationPanel::follow(const QString& text)
{
    if (!content_)
        return false;
    ExplanationLink* begins = nullptr;
    int beginning = 0;
    for (ExplanationLink* link : content_->findChildren<ExplanationLink*>()) {
        if (!link->isVisibleTo(content_))
            continue;
        const QString shown = link->text();
        const QString bare = shown.startsWith(QStringLiteral("— ")) ? shown.mid(2) : shown;
        if (shown == text || bare == text) {
            emit link->activated();
            return true;
        }
        if (shown.startsWith(text) || bare.startsWith(text)) {
            begins = link;
            ++beginning;
        }
    }
    if (beginning != 1)
        return false;
    emit begins->activated();
    return true;
}

QWidget* ExplanationPanel::firstLink() const
{
    if (!content_)
        return close_;
    const auto links = content_->findChildren<ExplanationLink*>();
    return links.isEmpty() ? close_ : static_cast<QWidget*>(links.first());
}

} // namespace kvarton
