#include "wizard.h"

#include "help_screen.h"
#include "main_window.h"
#include "personal_data_screen.h"
#include "report_screen.h"
#include "start_screen.h"
#include "step_controller.h"
#include "steps/step_form.h"
#include "work_keeper.h"
#include "work_list_screen.h"
#include "summary_screen.h"

#include "reader/report_reader.h"
#include "work/work_folder.h"

#include <QFileDialog>
#include <QMessageBox>

namespace kvarton {

namespace {

// A report read back opens on its first results: the teacher sees the figures at once.
constexpr int kFirstResultsStep = 13;

QString askWithDialog(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, ReportScreen::reportFolder(), filter);
}

// The most works the list offers: more than a learner makes over a course.
constexpr std::size_t kListedWorks = 200;
// The characters of an institution's name a line shows.
constexpr qsizetype kShownName = 80;

// A saved work as the start screen and the list name it: region, institution, step, date and time.
QString workLine(const work::WorkEntry& entry)
{
    if (!entry.work)
        return QStringLiteral("«%1» не читается: %2")
            .arg(pathText(entry.file.filename()), QString::fromStdString(entry.problem));
    const work::SavedWork& w = *entry.work;
    QString name = QString::fromStdString(w.institution).simplified();
    if (name.size() > kShownName)
        name = name.left(kShownName) + u'…';
    const QString region = w.region.empty() ? QStringLiteral("регион не выбран") : QString::fromStdString(w.region);
    return QStringLiteral("%1, «%2», шаг %3, %4")
        .arg(region, name)
        .arg(w.step)
        .arg(QString::fromStdString(work::russianText(w.saved)));
}

// The entries of the works' folder that the list passes over, each named with the reason, under
// the folder's whole path; "" when there are none.
QString skippedText(const work::WorkListing& listing, const std::filesystem::path& folder)
{
    // A folder of many such entries is no learner's: the first ones say enough.
    constexpr std::size_t kShown = 10;
    QStringList lines;
    for (std::size_t i = 0; i < listing.skipped.size() && i < kShown; ++i)
        lines << QStringLiteral("«%1»: %2")
                     .arg(QString::fromStdString(listing.skipped[i].name),
                         QString::fromStdString(listing.skipped[i].reason));
    if (listing.skipped.size() > kShown)
        lines << QStringLiteral("и другие, всего %1").arg(listing.skipped.size());
    if (listing.cutShort)
        lines << QStringLiteral("остальные файлы папки: их слишком много, чтобы просмотреть все");
    if (lines.isEmpty())
        return {};
    return QStringLiteral("В папке «%1» пропущены:\n").arg(pathText(folder)) + lines.join(u'\n');
}

} // namespace

Wizard::Wizard(WorksFolder workFolder)
    : window_(std::make_unique<MainWindow>())
    , chooseFile_(askWithDialog)
{
    keeper_ = new WorkKeeper(std::move(workFolder), this);
    connect(keeper_, &WorkKeeper::saveFailed, this, &Wizard::showSaveProblem);
    start_ = new StartScreen(window_.get());
    window_->addPage(start_);
    connect(start_, &StartScreen::detailsRequested, this, &Wizard::showDetails);
    connect(start_, &StartScreen::startRequested, this, &Wizard::showPersonalData);
    connect(start_, &StartScreen::openReportRequested, this, &Wizard::chooseReport);
    connect(start_, &StartScreen::continueRequested, this, &Wizard::continueLastWork);
    connect(start_, &StartScreen::openWorkRequested, this, &Wizard::listSavedWorks);
    connect(start_, &StartScreen::continueCopyRequested, this, &Wizard::continueCopy);
    connect(window_.get(), &MainWindow::closeRequested, this, &Wizard::finish);
    connect(start_, &StartScreen::summaryRequested, this, &Wizard::showSummary);
}

Wizard::~Wizard() = default;

void Wizard::start()
{
    offerSavedWorks();
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
    case Screen::WorkList:
        return workList_;
    case Screen::Summary:
        return summary_;
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

SummaryScreen* Wizard::summaryScreen() const { return summary_; }

void Wizard::setReportsChooser(ReportsChooser chooser)
{
    chooseReports_ = std::move(chooser);
    if (summary_ && chooseReports_)
        summary_->setChooser([this](QWidget* parent, SummaryScreen::Choice choice) {
            return chooseReports_(parent, choice == SummaryScreen::Choice::Folder);
        });
}

// The summary's window works as a modal dialog of the start screen, as the information screen does.
void Wizard::showSummary()
{
    if (!summary_) {
        summary_ = new SummaryScreen(window_.get());
        connect(summary_, &SummaryScreen::closed, this, &Wizard::closeDetails);
        setReportsChooser(chooseReports_);
    }
    start_->setEnabled(false);
    summary_->show();
    summary_->raise();
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

void Wizard::showWork(InstitutionModel model, int step)
{
    model_ = std::move(model);
    if (!steps_) {
        steps_ = new StepController(model_, *window_);
        // Every commit is saved; the step it shows is the step last shown.
        connect(steps_, &StepController::committed, this, [this] { keeper_->saveSoon(model_); });
        window_->fitAndCentre();
    }
    steps_->showStep(step);
}

void Wizard::startWork(InstitutionModel model, int step, std::optional<ContinuedWork> continued)
{
    showWork(std::move(model), step);
    if (continued)
        keeper_->resume(std::move(continued->file), std::move(continued->kept), std::move(continued->lock));
    else
        keeper_->beginNew(model_);
}

std::optional<QString> Wizard::continueWork(const std::filesystem::path& file)
{
    // Held before it is read: the version read is the newest, and no other copy writes it any more.
    WorkLock lock;
    if (!keeper_->holds(file) && !lock.take(file)) {
        const QString message
            = QStringLiteral("Сохраненная работа «%1» не открыта: она открыта в другом окне программы. Продолжите ее "
                             "в том окне или нажмите «продолжить копию»: копия станет новой работой с теми же "
                             "данными, а эта останется как есть.")
                  .arg(pathText(file.filename()));
        heldElsewhere_ = file;
        start_->showProblem(message, true);
        return message;
    }
    work::WorkEntry entry = work::readEntry(file);
    if (!entry.work) {
        const QString message = QStringLiteral("Сохраненная работа «%1» не открыта: %2.")
                                    .arg(pathText(file.filename()), QString::fromStdString(entry.problem));
        start_->showProblem(message);
        return message;
    }
    start_->showProblem({});
    const int step = entry.work->step;
    InstitutionModel model = work::restoreModel(*entry.work);
    startWork(
        std::move(model), step, ContinuedWork{std::move(entry.file), std::move(entry.work->kept), std::move(lock)});
    return std::nullopt;
}

// The work another copy of the program shows, as it was last saved, becomes a new work of this one.
void Wizard::continueCopy()
{
    const std::filesystem::path file = std::exchange(heldElsewhere_, {});
    work::WorkEntry entry = work::readEntry(file);
    if (!entry.work) {
        start_->showProblem(QStringLiteral("Копия работы «%1» не сделана: %2.")
                                .arg(pathText(file.filename()), QString::fromStdString(entry.problem)));
        return;
    }
    start_->showProblem({});
    const int step = entry.work->step;
    showWork(work::restoreModel(*entry.work), step);
    keeper_->beginNew(model_, std::move(entry.work->kept));
}

// The start screen names the most recent work; reading only that one keeps the start quick
// however many works there are.
void Wizard::offerSavedWorks()
{
    const auto newest = keeper_->lists() ? work::workFiles(keeper_->folder(), 1) : std::vector<std::filesystem::path>{};
    start_->showLastWork(newest.empty() ? QString() : workLine(work::readEntry(newest.front())));
}

void Wizard::continueLastWork()
{
    if (!keeper_->lists())
        return;
    const auto newest = work::workFiles(keeper_->folder(), 1);
    if (!newest.empty())
        continueWork(newest.front());
}

// The list works as a modal dialog of the start screen, as the list of data does.
void Wizard::listSavedWorks()
{
    if (!workList_) {
        workList_ = new WorkListScreen(window_.get());
        connect(workList_, &WorkListScreen::closed, this, &Wizard::closeWorkList);
        connect(workList_, &WorkListScreen::workChosen, this, [this](int row) {
            if (row >= 0 && static_cast<std::size_t>(row) < listedWorks_.size())
                continueWork(listedWorks_[static_cast<std::size_t>(row)]);
        });
    }
    work::WorkListing listing = work::listWorks(keeper_->folder(), kListedWorks);
    listedWorks_ = std::move(listing.works);
    QStringList lines;
    for (const std::filesystem::path& file : listedWorks_)
        lines << workLine(work::readEntry(file));
    workList_->setWorks(lines, skippedText(listing, keeper_->folder()));
    start_->setEnabled(false);
    workList_->show();
    workList_->raise();
}

void Wizard::closeWorkList() { start_->setEnabled(true); }

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
