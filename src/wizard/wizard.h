#pragma once

#include "model/institution_model.h"
#include "steps/screens.h"

#include <QObject>
#include <QPointer>

#include <memory>

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

    InstitutionModel model_;
    std::unique_ptr<MainWindow> window_;
    StartScreen* start_ = nullptr;
    QPointer<InfoScreen> info_;
    PersonalDataScreen* personal_ = nullptr;
    StepController* steps_ = nullptr;
};

} // namespace kvarton
