#include "calculation_form.h"

namespace kvarton {

CalculationForm::CalculationForm(QWidget* parent)
    : StepForm(StepScreen::Form8, QStringLiteral("Расчет"), parent)
{
}

void CalculationForm::applyLayout(int /*step*/) {}

std::span<const Binding> CalculationForm::bindings(int /*step*/) const { return {}; }

} // namespace kvarton
