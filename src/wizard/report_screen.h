#pragma once

#include "modal_screen.h"

#include "model/institution_model.h"

#include <QString>

class QLabel;

namespace kvarton {

// Form10: writes the identity and every input into a new workbook in the learner's documents
// folder and opens it with the desktop's spreadsheet program.
class ReportScreen final : public ModalScreen {
    Q_OBJECT
public:
    ReportScreen(const InstitutionModel& model, QWidget* parent);

    // Where reports go: the documents folder, or the tests' folder (testSwitches::reportFolder).
    static QString reportFolder();

    // The path of the last workbook written, empty when none.
    const QString& lastReport() const { return lastReport_; }

protected:
    void showEvent(class QShowEvent* event) override;

private:
    void writeReport();

    const InstitutionModel& model_;
    QLabel* status_ = nullptr;
    QString lastReport_;
};

} // namespace kvarton
