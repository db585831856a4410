#include "work_opening.h"

#include "main_window.h"
#include "report_screen.h"
#include "start_screen.h"
#include "wizard.h"
#include "work_keeper.h"
#include "work_line.h"
#include "work_list_screen.h"
#include "work_lock.h"
#include "work_removal.h"

#include "calc/panels.h"
#include "reader/report_reader.h"
#include "work/work_folder.h"

#include <QFileDialog>
#include <QFileInfo>

namespace kvarton {

namespace {

// The most works the list offers: more than a learner makes over a course.
constexpr std::size_t kListedWorks = 200;

QString askWithDialog(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, ReportScreen::reportFolder(), filter);
}

} // namespace

WorkOpening::WorkOpening(Wizard& wizard)
    : QObject(&wizard)
    , wizard_(wizard)
    , chooseFile_(askWithDialog)
{
}

// The newest of the learner's own works: one the teacher made of a report is never offered. Only
// the newest few are read, so that the start stays quick however many works there are.
std::optional<work::WorkEntry> WorkOpening::lastOwnWork() const
{
    constexpr std::size_t kLookedAt = 20;
    WorkKeeper& keeper = wizard_.keeper();
    if (!keeper.lists())
        return std::nullopt;
    for (const std::filesystem::path& file : work::workFiles(keeper.folder(), kLookedAt))
        if (work::WorkEntry entry = work::readEntry(file); !entry.work || entry.work->fromReport.empty())
            return entry;
    return std::nullopt;
}

void WorkOpening::offerLastWork()
{
    const auto last = lastOwnWork();
    wizard_.startScreen()->showLastWork(last ? workLine(*last) : QString());
}

void WorkOpening::continueLastWork()
{
    if (const auto last = lastOwnWork())
        continueWork(last->file);
}

std::optional<QString> WorkOpening::continueWork(const std::filesystem::path& file)
{
    StartScreen* start = wizard_.startScreen();
    // Held before it is read: the version read is the newest, and no other copy writes it any more.
    WorkLock lock;
    if (!wizard_.keeper().holds(file) && !lock.take(file)) {
        const QString message
            = QStringLiteral("Сохраненная работа «%1» не открыта: она открыта в другом окне программы. Продолжите ее "
                             "в том окне или нажмите «продолжить копию»: копия станет новой работой с теми же "
                             "данными, а эта останется как есть.")
                  .arg(pathText(file.filename()));
        heldElsewhere_ = file;
        start->showProblem(message, true);
        return message;
    }
    work::WorkEntry entry = work::readEntry(file);
    if (!entry.work) {
        const QString message = QStringLiteral("Сохраненная работа «%1» не открыта: %2.")
                                    .arg(pathText(file.filename()), QString::fromStdString(entry.problem));
        start->showProblem(message);
        return message;
    }
    start->showProblem({});
    const int step = entry.work->step;
    InstitutionModel model = work::restoreModel(*entry.work);
    wizard_.startWork(
        std::move(model), step, ContinuedWork{std::move(entry.file), std::move(entry.work->kept), std::move(lock)});
    return std::nullopt;
}

// The work another copy of the program shows, as it was last saved, becomes a new work of this one.
void WorkOpening::continueCopy()
{
    const std::filesystem::path file = std::exchange(heldElsewhere_, {});
    work::WorkEntry entry = work::readEntry(file);
    if (!entry.work) {
        wizard_.startScreen()->showProblem(QStringLiteral("Копия работы «%1» не сделана: %2.")
                                               .arg(pathText(file.filename()), QString::fromStdString(entry.problem)));
        return;
    }
    wizard_.startScreen()->showProblem({});
    const int step = entry.work->step;
    wizard_.startWork(work::restoreModel(*entry.work), step, std::nullopt, std::move(entry.work->kept));
}

void WorkOpening::listSavedWorks()
{
    if (!workList_) {
        workList_ = new WorkListScreen(wizard_.window());
        connect(workList_, &WorkListScreen::workChosen, this, [this](int row) {
            if (row >= 0 && static_cast<std::size_t>(row) < listedWorks_.size())
                continueWork(listedWorks_[static_cast<std::size_t>(row)]);
        });
        connect(workList_, &WorkListScreen::removeRequested, this, &WorkOpening::removeListedWork);
    }
    fillWorkList();
    workList_->showProblem({});
    workList_->openOver({wizard_.startScreen()});
}

void WorkOpening::fillWorkList()
{
    WorkKeeper& keeper = wizard_.keeper();
    work::WorkListing listing = work::listWorks(keeper.folder(), kListedWorks);
    listedWorks_ = std::move(listing.works);
    std::vector<WorkRow> rows;
    for (const std::filesystem::path& file : listedWorks_)
        rows.push_back(workRow(work::readEntry(file)));
    workList_->setWorks(rows, skippedText(listing, keeper.folder()));
}

// The list and the start screen's last work show what is left.
void WorkOpening::removeListedWork(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= listedWorks_.size())
        return;
    const auto problem = removeWork(listedWorks_[static_cast<std::size_t>(row)]);
    fillWorkList();
    workList_->showProblem(problem.value_or(QString()));
    offerLastWork();
}

// A report read back opens on its first results: the teacher sees the figures at once. The personal
// data is not asked.
std::optional<QString> WorkOpening::openReport(const QString& path)
{
    StartScreen* start = wizard_.startScreen();
    auto read = reader::readReport(path.toStdString());
    if (const auto* problem = std::get_if<reader::ReadProblem>(&read)) {
        const QString message = QString::fromStdString(problem->message);
        start->showProblem(message);
        return message;
    }
    start->showProblem({});
    InstitutionModel work = std::move(std::get<InstitutionModel>(read));
    work.reportFile = QFileInfo(path).fileName().toStdString(); // the teacher's, never the learner's last work
    wizard_.startWork(std::move(work), calc::kFirstResultsStep);
    return std::nullopt;
}

void WorkOpening::chooseReport()
{
    const QString path = chooseFile_(wizard_.startScreen(), QStringLiteral("Открыть отчет"), reportFileFilter());
    if (!path.isEmpty())
        openReport(path);
}

} // namespace kvarton
