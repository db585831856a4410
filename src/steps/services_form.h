#pragma once

#include "step_form.h"

#include <array>
#include <vector>

class QGridLayout;
class QLabel;

namespace kvarton {

class ChoiceList;

// Form6, steps 9–10: one box per age group with a list per stay mode, for all pupils and for those
// in compensating groups. Step 9 (the state assignment) uses only two lists of each box.
class ServicesForm final : public StepForm {
    Q_OBJECT
public:
    explicit ServicesForm(QWidget* parent);

protected:
    void applyLayout(int step) override;
    std::span<const Binding> bindings(int step) const override;

private:
    struct Box {
        QGridLayout* grid;
        QLabel* header;
        std::array<QLabel*, 10> columns;
        QLabel* subHeader;
        std::array<ChoiceList*, 10> allPupils;
        std::array<ChoiceList*, 10> compensating;
    };
    std::array<Box, 3> boxes_{};
    std::array<std::vector<Binding>, 2> bindings_;
};

} // namespace kvarton
