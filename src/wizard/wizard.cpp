#include "wizard.h"

#include "help_screen.h"
#include "main_window.h"
#include "personal_data_screen.h"
#include "report_screen.h"
#include "start_screen.h"
#include "step_controller.h"
#include "steps/step_form.h"

#include "reader/report_reader.h"

#include <QFileDialog>

namespace kvarton {

namespace {

// A report read back opens on its first results: the teacher sees the figures at once.
constexpr int kFirstResultsStep = 13;

QString askWithDialog(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, ReportScreen::reportFolder(), filter);
}

} // namespace

Wizard::Wizard()
    : window_(std::make_unique<MainWindow>())
    , chooseFile_(askWithDialog)
{
    start_ = new StartScreen(window_.get());
    window_->addPage(start_);
    connect(start_, &StartScreen::detailsRequested, this, &Wizard::showDetails);
    connect(start_, &StartScreen::startRequested, this, &Wizard::showPersonalData);
    connect(start_, &StartScreen::openReportRequested, this, &Wizard::chooseReport);
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
    InstitutionModel work = model_; // the region chosen on the screen
    if (!kvarton::confirmPersonalData(work, personal_->data())) {
        personal_->showMissingName();
        return;
    }
    if (!steps_)
        personal_->setWindowTitle(QStringLiteral("Подождите, идет загрузка"));
    startWork(std::move(work), kFirstStep);
}

void Wizard::startWork(InstitutionModel model, int step)
{
    model_ = std::move(model);
    if (!steps_) {
        steps_ = new StepController(model_, *window_);
        window_->fitAndCentre();
    }
    steps_->showStep(step);
}

std::optional<QString> Wizard::openReport(const QString& path)
{
    auto read = reader::readReport(path.toStdString());
    if (const auto* problem = std::get_if<reader::ReadProblem>(&read)) {
        const QString message = QString::fromStdString(problem->message);
        start_->showProblem(message);
        return message;
    }
    start_->showProblem({});
    startWork(std::move(std::get<InstitutionModel>(read)), kFirstResultsStep);
    return std::nullopt;
}

void Wizard::chooseReport()
{
    const QString path = chooseFile_(
        start_, QStringLiteral("Открыть отчет"), QStringLiteral("Отчеты Квартона (*.xlsx);;Все файлы (*)"));
    if (!path.isEmpty())
        openReport(path);
}

} // namespace kvarton
