#pragma once

#include "model/institution_model.h"

class QWidget;

namespace kvarton {

// An input control and the model field it shows and feeds.
struct Binding {
    QWidget* control = nullptr; // a ChoiceList or a QLineEdit
    FieldRef field;
};

// Puts the field's value into the control as text.
void showValue(const Binding& b, const InstitutionModel& model);

// Stores the control's text into the field, unchecked (single fields as numbers). A list showing
// no item (its field held a value that is no item) leaves the field as it was.
void commitValue(const Binding& b, InstitutionModel& model);

} // namespace kvarton
