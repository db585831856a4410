#include "length_note.h"

#include <QLabel>
#include <QLineEdit>

namespace kvarton {

namespace {

bool full(const QLineEdit* field) { return field->text().size() >= field->maxLength(); }

} // namespace

LengthNote::LengthNote(QLabel* label)
    : QObject(label)
    , label_(label)
{
    label_->hide();
}

void LengthNote::watch(QLineEdit* field, const QString& text)
{
    fields_.push_back({field, text});
    // The hidden note keeps the place of a line of its text: an empty label is lower than a line by
    // the font's leading (fonts on Windows have one), and the screen would move when it shows.
    if (label_->text().isEmpty())
        label_->setText(text);
    connect(field, &QLineEdit::textChanged, this, [this, field] { update(field); });
    update(field);
}

void LengthNote::reservePlace(bool reserve)
{
    QSizePolicy policy = label_->sizePolicy();
    policy.setRetainSizeWhenHidden(reserve);
    label_->setSizePolicy(policy);
}

// The field just edited speaks first; when it is no longer full, another full one of the group.
void LengthNote::update(QLineEdit* changed)
{
    const Watched* shown = nullptr;
    for (const Watched& w : fields_) {
        const bool isFull = full(w.field);
        if (const QString description = isFull ? w.text : QString(); w.field->accessibleDescription() != description)
            w.field->setAccessibleDescription(description);
        if (isFull && (!shown || w.field == changed))
            shown = &w;
    }
    if (shown)
        label_->setText(shown->text);
    label_->setVisible(shown != nullptr);
}

} // namespace kvarton
