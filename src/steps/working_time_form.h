#pragma once

#include "step_form.h"

#include <array>
#include <vector>

class QLabel;

namespace kvarton {

class ChoiceList;

// Form4, steps 1–6: the stay mode and the hours of the twelve roles for one kind of group, direct
// work on the odd steps and other work on the even ones.
class WorkingTimeForm final : public StepForm {
    Q_OBJECT
public:
    explicit WorkingTimeForm(QWidget* parent);

protected:
    void applyLayout(int step) override;
    std::span<const Binding> bindings(int step) const override;
    int layoutKey(int) const override { return 0; } // the six steps show the same controls

private:
    QLabel* instruction_ = nullptr;
    std::array<std::vector<Binding>, 6> bindings_;
};

} // namespace kvarton
