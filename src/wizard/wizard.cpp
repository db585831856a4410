#include "wizard.h"

#include "help_screen.h"
#include "main_window.h"
#include "personal_data_screen.h"
#include "report_owner.h"
#include "report_screen.h"
#include "start_screen.h"
#include "step_controller.h"
#include "summary_opening.h"
#include "summary_screen.h"
#include "work_keeper.h"
#include "work_list_screen.h"
#include "work_opening.h"

#include "steps/step_form.h"

#include <QLayout>
#include <QMessageBox>

#include <algorithm>

namespace kvarton {

Wizard::Wizard(WorksFolder workFolder)
    : window_(std::make_unique<MainWindow>())
{
    keeper_ = new WorkKeeper(std::move(workFolder), this);
    connect(keeper_, &WorkKeeper::saveFailed, this, &Wizard::showSaveProblem);
    start_ = new StartScreen(window_.get());
    window_->addPage(start_);
    opening_ = new WorkOpening(*this);
    summary_ = new SummaryOpening(window_.get(), start_, this);
    connect(start_, &StartScreen::detailsRequested, this, &Wizard::showDetails);
    connect(start_, &StartScreen::startRequested, this, &Wizard::showPersonalData);
    connect(start_, &StartScreen::openReportRequested, opening_, &WorkOpening::chooseReport);
    connect(start_, &StartScreen::continueRequested, opening_, &WorkOpening::continueLastWork);
    connect(start_, &StartScreen::openWorkRequested, opening_, &WorkOpening::listSavedWorks);
    connect(start_, &StartScreen::continueCopyRequested, opening_, &WorkOpening::continueCopy);
    connect(start_, &StartScreen::summaryRequested, summary_, &SummaryOpening::show);
    connect(summary_, &SummaryOpening::reportChosen, opening_, &WorkOpening::openReport);
    connect(window_.get(), &MainWindow::closeRequested, this, &Wizard::finish);
}

Wizard::~Wizard() = default;

void Wizard::start()
{
    opening_->offerLastWork();
    window_->showPage(start_);
    // As high as the start screen needs at its width: its two sides stand over no empty band.
    constexpr int kStartWidth = 720;
    int height = start_->layout()->totalHeightForWidth(kStartWidth);
    height += height % 2; // an even height stands centred to the pixel
    window_->resizeCentred(QSize(kStartWidth, std::max(height, window_->minimumSizeHint().height())));
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
    case Screen::WorkList:
        return opening_->workList();
    case Screen::Summary:
        return summaryScreen();
    default:
        return steps_ ? steps_->form(screen) : nullptr;
    }
}

QWidget* Wizard::form(const QString& name) const
{
    const auto screen = screenByName(name.toStdString());
    return screen ? form(*screen) : nullptr;
}

std::optional<QString> Wizard::continueWork(const std::filesystem::path& file) { return opening_->continueWork(file); }

std::optional<QString> Wizard::openReport(const QString& path) { return opening_->openReport(path); }

void Wizard::setFileChooser(FileChooser chooser) { opening_->setFileChooser(std::move(chooser)); }

void Wizard::setReportsChooser(ReportsChooser chooser) { summary_->setReportsChooser(std::move(chooser)); }

SummaryScreen* Wizard::summaryScreen() const { return summary_->screen(); }

void Wizard::showDetails()
{
    if (!info_)
        info_ = new InfoScreen(window_.get());
    info_->openOver({start_});
}

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
    InstitutionModel work = model_; // the region chosen on the screen
    if (!kvarton::confirmPersonalData(work, personal_->data())) {
        personal_->showMissingName();
        return;
    }
    if (!steps_)
        personal_->setWindowTitle(QStringLiteral("Подождите, идет загрузка"));
    startWork(std::move(work), kFirstStep);
}

void Wizard::startWork(InstitutionModel model, int step, std::optional<ContinuedWork> continued, work::KeptMembers carried)
{
    model_ = std::move(model);
    window_->showReportOwner(reportOwnerLine(model_));
    if (!steps_) {
        steps_ = new StepController(model_, *window_);
        // Every commit is saved; the step it shows is the step last shown.
        connect(steps_, &StepController::committed, this, [this] { keeper_->saveSoon(model_); });
        window_->fitAndCentre();
    }
    steps_->showStep(step);
    if (continued)
        keeper_->resume(std::move(continued->file), std::move(continued->kept), std::move(continued->lock));
    else
        keeper_->beginNew(model_, std::move(carried));
}

// Closing the window ends the program; the entries of the step shown are saved first, as a
// commit would store them.
void Wizard::finish()
{
    if (steps_) {
        steps_->commitCurrentStep();
        keeper_->saveNow(model_);
    }
    emit quitRequested();
}

void Wizard::showSaveProblem(const QString& message)
{
    if (message == saveProblem_)
        return;
    saveProblem_ = message;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Работа не сохранена"),
        QStringLiteral("Работа не сохранена: %1. Введенные данные пропадут при закрытии программы, если "
                       "сохранить ее не удастся и дальше.")
            .arg(message),
        QMessageBox::Ok, window_.get());
    box->setObjectName(QStringLiteral("SaveProblem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace kvarton
