#include "total_marks.h"

#include "amount_marks.h"
#include "choice_list.h"
#include "text_field.h"
#include "widgets.h"

#include "calc/total_rule.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <functional>

namespace kvarton {

namespace {

QWidget* controlOf(std::span<const Binding> bindings, FieldRef field)
{
    const auto found
        = std::find_if(bindings.begin(), bindings.end(), [&](const Binding& b) { return b.field == field; });
    return found == bindings.end() ? nullptr : found->control;
}

std::string typedText(const QWidget* control)
{
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        return list->currentText().toStdString();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text().toStdString();
    return {};
}

void watch(QWidget* control, QObject* receiver, const std::function<void()>& judge)
{
    if (auto* list = qobject_cast<QComboBox*>(control))
        QObject::connect(list, &QComboBox::currentIndexChanged, receiver, judge);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        QObject::connect(edit, &QLineEdit::textChanged, receiver, judge);
}

} // namespace

TotalMarks::TotalMarks(std::span<const Binding> bindings, QLabel* note, QObject* parent)
    : QObject(parent)
    , note_(note)
{
    for (const calc::TypedTotal& typed : calc::typedTotals()) {
        Total t;
        t.total = controlOf(bindings, typed.total);
        for (FieldRef part : typed.parts)
            if (QWidget* control = controlOf(bindings, part))
                t.parts.push_back(control);
        if (!t.total || t.parts.empty())
            continue;
        if (auto* edit = dynamic_cast<AmountField*>(t.total)) {
            t.mark = edit->addAction(attentionMarkIcon(), QLineEdit::TrailingPosition);
            t.mark->setObjectName(edit->objectName() + QStringLiteral("TotalMark"));
            t.mark->setVisible(false);
        }
        totals_.push_back(std::move(t));
    }
    for (std::size_t i = 0; i < totals_.size(); ++i) {
        const auto judgeAgain = [this, i] {
            judge(totals_[i]);
            updateNote();
        };
        watch(totals_[i].total, this, judgeAgain);
        for (QWidget* part : totals_[i].parts)
            watch(part, this, judgeAgain);
        judge(totals_[i]);
    }
    note_->hide();
}

void TotalMarks::showFor(std::span<const Binding> shown)
{
    for (Total& t : totals_)
        t.shown = std::any_of(shown.begin(), shown.end(), [&](const Binding& b) { return b.control == t.total; });
    updateNote();
}

void TotalMarks::judge(Total& t)
{
    std::vector<std::string> parts;
    parts.reserve(t.parts.size());
    for (const QWidget* part : t.parts)
        parts.push_back(typedText(part));
    const auto excess = calc::totalExcess(parts, typedText(t.total));
    const QString hint = excess ? qs(calc::totalHint(*excess)) : QString();
    t.note = excess ? qs(calc::totalNote(*excess)) : QString();
    if (hint == t.hint)
        return;
    // The amount mark may be speaking for the field: clear only what this mark said.
    if (t.total->toolTip() == t.hint) {
        t.total->setToolTip(hint);
        t.total->setAccessibleDescription(hint);
    }
    t.hint = hint;
    if (t.mark) {
        t.mark->setVisible(excess.has_value());
        t.mark->setToolTip(hint);
    }
    if (auto* edit = dynamic_cast<AmountField*>(t.total))
        edit->setMarked(excess.has_value(), AmountField::Mark::Total);
    else if (auto* list = dynamic_cast<ChoiceList*>(t.total))
        list->setMarked(excess.has_value());
}

void TotalMarks::updateNote()
{
    QStringList hints;
    for (const Total& t : totals_)
        if (t.shown && !t.hint.isEmpty())
            hints << t.note;
    note_->setText(hints.join(QLatin1Char('\n')));
    note_->setVisible(!hints.isEmpty());
}

} // namespace kvarton
