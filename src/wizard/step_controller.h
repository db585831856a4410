#pragma once

#include "model/institution_model.h"
#include "steps/step_table.h"

#include <QObject>

#include <array>
#include <cassert>

namespace kvarton {

class HelpScreen;
class MainWindow;
class ReportScreen;
class StepForm;

// Shows the requested step on its screen, commits the step being left, and answers Back, Next,
// the menu, help and the report. Its only state is the model's currentStep.
class StepController final : public QObject {
    Q_OBJECT
public:
    StepController(InstitutionModel& model, MainWindow& window);

    void showStep(int step);
    void commitCurrentStep();

    // The form of a step screen.
    StepForm* form(Screen screen) const
    {
        assert(isStepScreen(screen));
        return forms_[stepScreenIndex(screen)];
    }
    StepForm* formOf(int step) const { return form(stepInfo(step).screen); }
    HelpScreen* helpScreen() const { return help_; }
    ReportScreen* reportScreen() const { return report_; }

signals:
    // The learner left a step by Back, Next or the menu: its entries are in the model and the
    // next step is shown.
    void committed();

private:
    void leaveTo(int step);
    void openHelp(StepForm* caller);
    void openReport();

    InstitutionModel& model_;
    MainWindow& window_;
    std::array<StepForm*, kStepScreens.size()> forms_{}; // in the order of kStepScreens
    HelpScreen* help_ = nullptr;
    ReportScreen* report_ = nullptr;
};

} // namespace kvarton
