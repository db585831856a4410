#include "step_controller.h"

#include "help_screen.h"
#include "main_window.h"
#include "model/field_captions.h"
#include "report_screen.h"
#include "steps/calculation_form.h"
#include "steps/services_form.h"
#include "steps/simulation_form.h"
#include "steps/staff_2011_form.h"
#include "steps/working_time_form.h"

#include <algorithm>

namespace kvarton {

StepController::StepController(InstitutionModel& model, MainWindow& window)
    : QObject(&window)
    , model_(model)
    , window_(window)
{
    forms_ = {new WorkingTimeForm(&window), new Staff2011Form(&window), new ServicesForm(&window),
        new SimulationForm(&window), new CalculationForm(model, &window)};
    for (std::size_t i = 0; i < forms_.size(); ++i)
        assert(forms_[i]->screen() == kStepScreens[i]);
    // However wide the window, the boxes keep within the width of the widest input screen.
    int inputWidth = 0;
    for (const StepForm* form : forms_)
        if (form->screen() != Screen::Calculation)
            inputWidth = std::max(inputWidth, form->bodySizeHint().width());
    for (StepForm* form : forms_) {
        form->keepBoxesWithin(inputWidth);
        window.addPage(form);
        // Back and Next move exactly one step; the commit of the step being left comes first.
        connect(form, &StepForm::backRequested, this, [this] { leaveTo(model_.currentStep - 1); });
        connect(form, &StepForm::nextRequested, this, [this] { leaveTo(model_.currentStep + 1); });
        connect(form, &StepForm::stepRequested, this, &StepController::leaveTo);
        connect(form, &StepForm::helpRequested, this, [this, form] { openHelp(form); });
        connect(form, &StepForm::reportRequested, this, &StepController::openReport);
        // A link to an input is a move like any other: the step left is committed.
        connect(form, &StepForm::fieldRequested, this, [this](FieldRef field, int returnStep, StepForm::WayBack way) {
            const int step = fieldPlace(field).step;
            if (step < kFirstStep || step > kLastStep)
                return;
            leaveTo(step);
            formOf(step)->focusField(step, field);
            formOf(step)->offerReturn(returnStep, way);
        });
        // Going back enters the step again, which checks the inputs afresh; an explanation is
        // explained again from them.
        connect(form, &StepForm::returnRequested, this, [this](int step, StepForm::WayBack way) {
            leaveTo(step);
            if (way == StepForm::WayBack::ToExplanation)
                formOf(step)->resumeAfterReturn();
        });
    }
}

void StepController::showStep(int step)
{
    // The screen is filled before it shows, so that it is laid out and painted once.
    StepForm* form = formOf(step);
    form->showStep(step, model_);
    window_.showPage(form);
    model_.currentStep = step;
}

void StepController::commitCurrentStep()
{
    const int step = model_.currentStep;
    if (step >= kFirstStep && step <= kLastStep)
        formOf(step)->commitStep(step, model_); // the calculation screen has nothing to commit
}

void StepController::leaveTo(int step)
{
    if (step < kFirstStep || step > kLastStep)
        return;
    commitCurrentStep();
    showStep(step);
    emit committed();
}

// Help can be used alone: the screen that opened it is inert until it closes (from an input step,
// every input step, as they share the window).
void StepController::openHelp(StepForm* caller)
{
    if (!help_)
        help_ = new HelpScreen(&window_);
    QList<QWidget*> inert;
    for (StepForm* form : forms_)
        if ((form->screen() == Screen::Calculation) == (caller->screen() == Screen::Calculation))
            inert << form;
    help_->openOver(inert);
}

void StepController::openReport()
{
    if (!report_)
        report_ = new ReportScreen(model_, &window_);
    report_->openOver({form(Screen::Calculation)});
}

} // namespace kvarton
