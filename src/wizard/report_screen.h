#pragma once

#include "modal_screen.h"

#include "model/institution_model.h"

namespace kvarton {

// Form10: writes the identity and every input into a new workbook.
class ReportScreen final : public ModalScreen {
    Q_OBJECT
public:
    ReportScreen(const InstitutionModel& model, QWidget* parent);

private:
    const InstitutionModel& model_;
};

} // namespace kvarton
