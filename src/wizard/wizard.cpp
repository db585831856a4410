#include "wizard.h"

#include "help_screen.h"
#include "main_window.h"
#include "personal_data_screen.h"
#include "report_screen.h"
#include "start_screen.h"
#include "step_controller.h"
#include "steps/step_form.h"

namespace kvarton {

Wizard::Wizard()
    : window_(std::make_unique<MainWindow>())
{
    start_ = new StartScreen(window_.get());
    window_->addPage(start_);
    connect(start_, &StartScreen::detailsRequested, this, &Wizard::showDetails);
    connect(start_, &StartScreen::startRequested, this, &Wizard::showPersonalData);
    connect(window_.get(), &MainWindow::closeRequested, this, &Wizard::quitRequested);
}

Wizard::~Wizard() = default;

void Wizard::start()
{
    window_->showPage(start_);
    window_->resizeCentred(QSize(720, 560));
    window_->show();
}

QWidget* Wizard::form(Screen screen) const
{
    switch (screen) {
    case Screen::Start:
        return start_;
    case Screen::DataList:
        return info_;
    case Screen::PersonalData:
        return personal_;
    case Screen::Help:
        return steps_ ? steps_->helpScreen() : nullptr;
    case Screen::Report:
        return steps_ ? steps_->reportScreen() : nullptr;
    default:
        return steps_ ? steps_->form(screen) : nullptr;
    }
}

QWidget* Wizard::form(const QString& name) const
{
    const auto screen = screenByName(name.toStdString());
    return screen ? form(*screen) : nullptr;
}

// The information screen works as a modal dialog of the start screen, which stays visible but inert.
void Wizard::showDetails()
{
    if (!info_) {
        info_ = new InfoScreen(window_.get());
        connect(info_, &InfoScreen::closed, this, &Wizard::closeDetails);
    }
    start_->setEnabled(false);
    info_->show();
    info_->raise();
}

void Wizard::closeDetails() { start_->setEnabled(true); }

void Wizard::showPersonalData()
{
    if (!personal_) {
        personal_ = new PersonalDataScreen(window_.get());
        window_->addPage(personal_);
        connect(personal_, &PersonalDataScreen::regionChosen, this,
            [this](const QString& region) { model_.regionName = region.toStdString(); });
        connect(personal_, &PersonalDataScreen::continueRequested, this, &Wizard::confirmPersonalData);
    }
    window_->showPage(personal_);
}

void Wizard::confirmPersonalData()
{
    if (!kvarton::confirmPersonalData(model_, personal_->data())) {
        personal_->showMissingName();
        return;
    }
    if (!steps_) {
        personal_->setWindowTitle(QStringLiteral("Подождите, идет загрузка"));
        steps_ = new StepController(model_, *window_);
        window_->fitAndCentre();
    }
    steps_->showStep(kFirstStep);
}

} // namespace kvarton
