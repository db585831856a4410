#include "amount_marks.h"

#include "calc/amount_rule.h"
#include "text_field.h"
#include "widgets.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace kvarton {

// A filled dark red disc with a white "!": dark against the field in colour and in grey alike.
QIcon attentionMarkIcon()
{
    constexpr int kSize = 32; // drawn large, shown at the field's icon size
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kAttentionRed);
    p.drawEllipse(QRectF(1, 1, kSize - 2, kSize - 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(kSize / 2.0 - 2.5, 6, 5, 14), 2, 2);
    p.drawEllipse(QRectF(kSize / 2.0 - 2.75, 22.5, 5.5, 5.5));
    p.end();
    return QIcon(pixmap);
}

QLabel* makeAmountNote(QWidget* parent, const QString& name)
{
    QLabel* note = makeLabel(parent, name, {}, true);
    QPalette red = note->palette();
    red.setColor(QPalette::WindowText, kAttentionRed);
    note->setPalette(red);
    note->hide();
    return note;
}

AmountMarks::AmountMarks(const std::vector<Binding>& fields, QLabel* note, QObject* parent)
    : QObject(parent)
    , note_(note)
{
    const QIcon icon = attentionMarkIcon();
    fields_.reserve(fields.size());
    for (const Binding& b : fields) {
        auto* edit = dynamic_cast<AmountField*>(b.control);
        if (!edit)
            continue;
        QAction* mark = edit->addAction(icon, QLineEdit::TrailingPosition);
        mark->setObjectName(edit->objectName() + QStringLiteral("Mark"));
        mark->setVisible(false);
        fields_.push_back({edit, b.field, mark});
    }
    note_->hide();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        judge(fields_[i]);
        connect(fields_[i].edit, &QLineEdit::textChanged, this, [this, i] {
            judge(fields_[i]);
            updateNote();
        });
    }
}

void AmountMarks::setActive(bool active)
{
    active_ = active;
    updateNote();
}

void AmountMarks::judge(Field& f)
{
    const auto problem = calc::typedAmountProblem(f.field, f.edit->text().toStdString());
    const bool bad = problem.has_value();
    const QString hint = bad ? qs(calc::amountHint(*problem)) : QString();
    if (bad == f.bad && f.edit->toolTip() == hint)
        return;
    f.bad = bad;
    f.mark->setVisible(bad);
    f.mark->setToolTip(hint);
    f.edit->setToolTip(hint);
    f.edit->setAccessibleDescription(hint);
    f.edit->setMarked(bad);
}

void AmountMarks::updateNote()
{
    int bad = 0;
    for (const Field& f : fields_)
        bad += f.bad ? 1 : 0;
    if (bad > 0)
        note_->setText(qs(calc::amountNote(bad)));
    note_->setVisible(active_ && bad > 0);
}

} // namespace kvarton
