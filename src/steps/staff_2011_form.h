#pragma once

#include "step_form.h"

#include <array>
#include <vector>

class QLabel;
class QLineEdit;

namespace kvarton {

class AmountMarks;
class ChoiceList;
class TotalMarks;

// Form5, steps 7–8: the 2011 payroll (typed amounts) and positions (lists) by position, the same
// sixteen rows on both steps.
class Staff2011Form final : public StepForm {
    Q_OBJECT
public:
    explicit Staff2011Form(QWidget* parent);

protected:
    void applyLayout(int step) override;
    std::span<const Binding> bindings(int step) const override;

private:
    struct Row {
        QLabel* caption;
        QLineEdit* amount;
        ChoiceList* positions;
        QLabel* unit;
    };
    std::array<Row, 16> rows_{};
    std::array<QLabel*, 2> roubleHeads_{};
    std::array<std::vector<Binding>, 2> bindings_;
    AmountMarks* marks_ = nullptr; // on the amounts of step 7
    TotalMarks* totals_ = nullptr; // on the totals of steps 7 and 8
};

} // namespace kvarton
