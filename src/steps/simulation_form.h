#pragma once

#include "step_form.h"

#include <array>
#include <vector>

class QFrame;

namespace kvarton {

class AmountMarks;

// Form7, steps 11–12: the simulation parameters (Frame2) and the planned service staff with
// positions and salaries (Frame1); one box per step.
class SimulationForm final : public StepForm {
    Q_OBJECT
public:
    explicit SimulationForm(QWidget* parent);

protected:
    void applyLayout(int step) override;
    std::span<const Binding> bindings(int step) const override;

private:
    QFrame* buildParameters();
    QFrame* buildServiceStaff();

    QFrame* parameters_ = nullptr;
    QFrame* serviceStaff_ = nullptr;
    std::array<std::vector<Binding>, 2> bindings_;
    AmountMarks* marks_ = nullptr; // on the salaries of step 12
};

} // namespace kvarton
