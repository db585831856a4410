#pragma once

#include "work_keeper.h"
#include "work_lock.h"

#include "model/institution_model.h"
#include "steps/screens.h"
#include "work/saved_work.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace kvarton {

class InfoScreen;
class MainWindow;
class PersonalDataScreen;
class StartScreen;
class StepController;
class SummaryOpening;
class SummaryScreen;
class WorkOpening;

// A saved work being continued: its file, what the file held that this program does not know, to
// be written back, and this copy's hold on it.
struct ContinuedWork {
    std::filesystem::path file;
    work::KeptMembers kept;
    WorkLock lock;
};

// The program: the model, the main window and the screens around the step controller. The start
// screen's choices lead through the personal data to step 1, to a saved work or a report
// (WorkOpening), or to the summary of reports (SummaryOpening); closing the main window saves the
// work and ends the program.
class Wizard final : public QObject {
    Q_OBJECT
public:
    // `workFolder` holds the saved works (savedWorksFolder() for the program); empty, no work is
    // saved or offered, as the tests that do not look at saved works want.
    explicit Wizard(WorksFolder workFolder = {});
    ~Wizard() override;

    void start();

    // Starts `model`, a whole work (identity, defaults and inputs), on `step`, in place of whatever
    // the wizard held: the one place where a work begins, from the personal data or from a file.
    // A work that is not `continued` gets a file of its own and is saved at once, with what
    // `carried` holds that this program does not know (a copy's, from its original).
    void startWork(InstitutionModel model, int step, std::optional<ContinuedWork> continued = std::nullopt,
        work::KeptMembers carried = {});

    // Continues the saved work of `file` on the step last shown, every field as it was saved. On
    // failure nothing changes but the start screen, which shows the message; the message is
    // returned as well. A work that another copy of the program shows is not continued: the start
    // screen offers to continue a copy of it as a new work.
    std::optional<QString> continueWork(const std::filesystem::path& file);

    // Reads the report workbook at `path` into a new work and shows its first results, step 13;
    // the personal data is not asked. On failure nothing changes but the start screen, which shows
    // the message; the message is returned as well.
    std::optional<QString> openReport(const QString& path);

    // Who answers "which file?" when the learner asks to open one: a file dialog, unless the
    // scenario runner or a test answers in advance. An empty answer means the choice was cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;
    void setFileChooser(FileChooser chooser);

    // Who answers "which reports?" for a summary (several files, or a folder): a file dialog,
    // unless the scenario runner or a test answers in advance.
    using ReportsChooser = std::function<QStringList(QWidget* parent, bool folder)>;
    void setReportsChooser(ReportsChooser chooser);
    // The summary's window, or nullptr while it has not been opened.
    SummaryScreen* summaryScreen() const;

    InstitutionModel& model() { return model_; }
    MainWindow* window() const { return window_.get(); }
    StepController* steps() const { return steps_; }
    WorkKeeper& keeper() const { return *keeper_; }
    StartScreen* startScreen() const { return start_; }
    // A screen, or nullptr while it has not been made.
    QWidget* form(Screen screen) const;
    // A screen by its object name (Form1 … Form10), as scenario files name it.
    QWidget* form(const QString& name) const;

signals:
    void quitRequested();

private:
    void showDetails();
    void showPersonalData();
    void confirmPersonalData();
    void finish();
    void showSaveProblem(const QString& message);

    InstitutionModel model_;
    std::unique_ptr<MainWindow> window_;
    StartScreen* start_ = nullptr;
    QPointer<InfoScreen> info_;
    PersonalDataScreen* personal_ = nullptr;
    StepController* steps_ = nullptr;
    WorkKeeper* keeper_ = nullptr;
    WorkOpening* opening_ = nullptr;
    SummaryOpening* summary_ = nullptr;
    QString saveProblem_; // the last failure shown, so that it is not shown on every commit
};

} // namespace kvarton
