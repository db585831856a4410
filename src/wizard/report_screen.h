#pragma once

#include "modal_screen.h"

#include "model/institution_model.h"

#include <QString>
#include <QStringList>

class QLabel;

namespace kvarton {

// The filter of the file dialogs that choose reports.
QString reportFileFilter();

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
    // Shows what the last press did, and the inputs that stopped it; nothing clears both.
    void say(const QString& text, const QStringList& inputs = {});

    const InstitutionModel& model_;
    QLabel* status_ = nullptr;
    QLabel* inputs_ = nullptr;
    QWidget* inputsArea_ = nullptr;
    QString lastReport_;
};

} // namespace kvarton
