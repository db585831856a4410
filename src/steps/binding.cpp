#include "binding.h"

#include "choice_list.h"

#include <QLineEdit>

namespace kvarton {

void showValue(const Binding& b, const InstitutionModel& model)
{
    const QString text = QString::fromStdString(field(model, b.field).displayText());
    if (auto* list = qobject_cast<ChoiceList*>(b.control))
        list->showText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(b.control))
        edit->setText(text);
}

void commitValue(const Binding& b, InstitutionModel& model)
{
    if (auto* list = qobject_cast<ChoiceList*>(b.control)) {
        if (list->hasChoice())
            commitText(model, b.field, list->currentText().toStdString());
    } else if (auto* edit = qobject_cast<QLineEdit*>(b.control)) {
        commitText(model, b.field, edit->text().toStdString());
    }
}

} // namespace kvarton
