#pragma once

#include "step_form.h"

namespace kvarton {

// Form8, steps 13–16: one panel per calculation step and the error panel they share.
class CalculationForm final : public StepForm {
    Q_OBJECT
public:
    explicit CalculationForm(QWidget* parent);

protected:
    void applyLayout(int step) override;
    std::span<const Binding> bindings(int step) const override;
    bool reportAllowed(int step) const override { return step == kLastStep; }
};

} // namespace kvarton
