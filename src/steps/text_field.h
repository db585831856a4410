#pragma once

#include <QLineEdit>

namespace kvarton {

// A one-line field for an amount typed by the learner: right-aligned like the numbers it holds.
QLineEdit* makeAmountField(QWidget* parent, const QString& name);

} // namespace kvarton
