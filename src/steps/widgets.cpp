#include "widgets.h"

#include "text_label.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace kvarton {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool wrap)
{
    auto* label = new TextLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(wrap);
    return label;
}

void paintFocusFrame(QWidget& widget)
{
    if (!widget.hasFocus())
        return;
    QStylePainter painter(&widget);
    QStyleOptionFocusRect frame;
    frame.initFrom(&widget);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeTitle(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = makeLabel(parent, name, text, true);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QFrame* makeBox(QWidget* parent, const QString& name)
{
    auto* box = new QFrame(parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::StyledPanel);
    return box;
}

namespace {

// A box as tall as its wrapped list, up to a number of lines, scrolling beyond: its height follows
// the width the layout gives it.
class FittedArea final : public QScrollArea {
public:
    FittedArea(QWidget* parent, int lines)
        : QScrollArea(parent)
        , lines_(lines)
    {
    }

    void fit()
    {
        const auto* list = qobject_cast<QLabel*>(widget());
        if (!list)
            return;
        const int most = list->fontMetrics().lineSpacing() * lines_ + list->contentsMargins().top()
            + list->contentsMargins().bottom();
        const int needed = list->heightForWidth(viewport()->width());
        setFixedHeight(std::min(needed < 0 ? most : needed, most) + 2 * frameWidth());
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QScrollArea::resizeEvent(event);
        fit();
    }

private:
    int lines_;
};

} // namespace

void fitScrollingList(const ScrollingList& list)
{
    if (auto* area = dynamic_cast<FittedArea*>(list.area))
        area->fit();
}

ScrollingList makeScrollingList(QWidget* parent, const QString& listName, const QString& areaName, int fittedLines)
{
    QScrollArea* area = fittedLines > 0 ? new FittedArea(parent, fittedLines) : new QScrollArea(parent);
    area->setObjectName(areaName);
    area->setWidgetResizable(true);
    QLabel* list = makeLabel(area, listName, {}, true);
    list->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    list->setContentsMargins(4, 2, 4, 2);
    area->setWidget(list);
    return {list, area};
}

namespace {

const char* const kLinkTexts = "linkTexts";

// What a screen reader says of a list with links, besides the lines themselves.
QString linkListHint(const QLabel& list)
{
    return list.property(kLinkTexts).toStringList().isEmpty()
        ? QString()
        : QStringLiteral("Ссылки на поля: Tab — к следующей, Enter — перейти к полю");
}

// Moving between a label's links keeps the focus on the label, and they are no accessible objects
// of their own: while the keyboard stands on a link, the label is named after it (a change of name
// is announced), and after the whole list again when it leaves the links; the link is kept in view
// of the list's box, which would otherwise only scroll to the label as a whole.
class KeyboardLinks final : public QObject {
public:
    explicit KeyboardLinks(QLabel* list)
        : QObject(list)
        , list_(list)
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            // Tab into the list stops at its first link (Shift+Tab at its last), not before them.
            if (const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                QMetaObject::invokeMethod(
                    this, [this, reason] { enterLinks(reason == Qt::TabFocusReason); }, Qt::QueuedConnection);
            QMetaObject::invokeMethod(this, &KeyboardLinks::name, Qt::QueuedConnection);
            break;
        case QEvent::KeyPress:
        case QEvent::FocusOut:
        case QEvent::MouseButtonRelease:
            // The label moves among its links while it handles the event: look after it.
            QMetaObject::invokeMethod(this, &KeyboardLinks::name, Qt::QueuedConnection);
            break;
        default:
            break;
        }
        return false;
    }

private:
    // A label moves among its links by the Tab key alone.
    void enterLinks(bool first)
    {
        if (!list_->hasFocus() || list_->hasSelectedText() || list_->property(kLinkTexts).toStringList().isEmpty())
            return;
        QKeyEvent tab(QEvent::KeyPress, first ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
        QCoreApplication::sendEvent(list_, &tab);
    }

    void name()
    {
        const QString selected = list_->selectedText();
        const bool onLink = list_->hasFocus() && list_->property(kLinkTexts).toStringList().contains(selected);
        const QString name = onLink ? selected : QString();
        if (name == list_->accessibleName())
            return;
        list_->setAccessibleName(name);
        list_->setAccessibleDescription(onLink ? QStringLiteral("ссылка: перейти к полю") : linkListHint(*list_));
        if (onLink)
            keepInView();
    }

    // The label lays its text out as a document of its own, which it does not show: the link's line
    // is found in one laid out alike.
    void keepInView()
    {
        QWidget* viewport = list_->parentWidget();
        auto* area = qobject_cast<QScrollArea*>(viewport ? viewport->parentWidget() : nullptr);
        const int start = list_->selectionStart();
        if (!area || start < 0)
            return;
        const QRect text = list_->contentsRect();
        QTextDocument document;
        document.setDocumentMargin(0);
        document.setDefaultFont(list_->font());
        document.setHtml(list_->text());
        document.setTextWidth(text.width());
        const QTextBlock block = document.findBlock(start);
        const qreal blockTop = document.documentLayout()->blockBoundingRect(block).top(); // lays it out
        const QTextLine line = block.layout()->lineForTextPosition(start - block.position());
        if (!line.isValid())
            return;
        const qreal top = blockTop + line.y();
        const int height = qRound(line.height());
        // With the line before and after it, so that the learner sees where the list goes on.
        area->ensureVisible(text.left(), text.top() + qRound(top) + height / 2, 0, 2 * height);
    }

    QLabel* list_;
};

} // namespace

void setListLines(const ScrollingList& list, const QStringList& lines, const QList<bool>& linked)
{
    QLabel* label = list.list;
    if (lines.isEmpty() && label->text().isEmpty()) // the common case, a step that computes
        return;
    QStringList links;
    QStringList html;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (linked.value(i)) {
            links << lines[i];
            html << QStringLiteral("<a href=\"%1\">%2</a>").arg(QString::number(i), lines[i].toHtmlEscaped());
        } else {
            html << lines[i].toHtmlEscaped();
        }
    }
    if (!label->property(kLinkTexts).isValid())
        new KeyboardLinks(label);
    label->setProperty(kLinkTexts, links);
    // A text is plain unless it has links: a line a learner typed never reads as markup.
    if (links.isEmpty()) {
        label->setTextFormat(Qt::PlainText);
        label->setText(lines.join(u'\n'));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    } else {
        // Blanks as typed, as in plain text (the names of some inputs hold two in a row).
        label->setTextFormat(Qt::RichText);
        label->setText(
            QStringLiteral("<div style=\"white-space:pre-wrap\">%1</div>").arg(html.join(QStringLiteral("<br>"))));
        label->setTextInteractionFlags(
            Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    }
    label->setAccessibleName({});
    label->setAccessibleDescription(linkListHint(*label));
}

QString labelText(const QLabel& label)
{
    if (label.textFormat() != Qt::RichText)
        return label.text();
    QTextDocument document;
    document.setHtml(label.text());
    QString text = document.toRawText(); // blanks as shown, no-break ones too
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QLabel* makeValue(QWidget* parent, const QString& name, const QString& placeholder)
{
    QLabel* label = makeLabel(parent, name, placeholder);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits of one width, so that the figures of a column line up digit under digit. The usual
    // sans-serif faces have them by default; a font whose figures are proportional has them as
    // the "tnum" feature, which Qt lets a program ask for from 6.7 on.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    QFont font = label->font();
    font.setFeature("tnum", 1);
    label->setFont(font);
#endif
    return label;
}

} // namespace kvarton
