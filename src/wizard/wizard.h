#pragma once

#include "model/institution_model.h"
#include "steps/screens.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

namespace kvarton {

class InfoScreen;
class MainWindow;
class PersonalDataScreen;
class StartScreen;
class StepController;

// The program: the model, the main window and the screens around the step controller. The start
// screen leads through the personal data to step 1; closing the main window ends the program.
class Wizard final : public QObject {
    Q_OBJECT
public:
    Wizard();
    ~Wizard() override;

    void start();

    // Starts `model`, a whole work (identity, defaults and inputs), on `step`, in place of whatever
    // the wizard held: the one place where a work begins, from the personal data or from a file.
    void startWork(InstitutionModel model, int step);

    // Reads the report workbook at `path` into a new work and shows its first results, step 13;
    // the personal data is not asked. On failure nothing changes but the start screen, which shows
    // the message; the message is returned as well.
    std::optional<QString> openReport(const QString& path);

    // Who answers "which file?" when the learner asks to open one: a file dialog, unless the
    // scenario runner or a test answers in advance. An empty answer means the choice was cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    InstitutionModel& model() { return model_; }
    MainWindow* window() const { return window_.get(); }
    StepController* steps() const { return steps_; }
    // A screen, or nullptr while it has not been made.
    QWidget* form(Screen screen) const;
    // A screen by its object name (Form1 … Form10), as scenario files name it.
    QWidget* form(const QString& name) const;

signals:
    void quitRequested();

private:
    void showDetails();
    void closeDetails();
    void showPersonalData();
    void confirmPersonalData();
    void chooseReport();

    InstitutionModel model_;
    std::unique_ptr<MainWindow> window_;
    StartScreen* start_ = nullptr;
    QPointer<InfoScreen> info_;
    PersonalDataScreen* personal_ = nullptr;
    StepController* steps_ = nullptr;
    FileChooser chooseFile_;
};

} // namespace kvarton
