#pragma once

#include "binding.h"
#include "step_table.h"

#include <array>
#include <QWidget>

#include <span>

class QAction;

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kvarton {

// What every step screen has: the menu, the title label Label1, its body, and Back (Command1)
// and Next (Command2), or on the last step MakeReport. A screen serves several steps and is relabelled for each.
class StepForm : public QWidget {
    Q_OBJECT
public:
    StepForm(Screen screen, const QString& windowTitle, QWidget* parent);

    Screen screen() const { return screen_; }

    // Title, the step's layout, the model's values, captions, menu states.
    void showStep(int step, InstitutionModel& model);
    // Copies the step's controls into their fields.
    void commitStep(int step, InstitutionModel& model) const;

    // The menu item that leads to `step`, disabled while it shows.
    QAction* stepAction(int step) const { return stepActions_[static_cast<std::size_t>(step - kFirstStep)]; }
    // "Создать отчет", enabled only where a report may be made.
    QAction* reportAction() const { return reportAction_; }

    // The size at which the screen shows each of its steps whole, without scrolling; the window
    // opens at the largest screen's, as far as the screen allows (MainWindow::fitAndCentre).
    QSize naturalSize() const;
    // The body's size on the step that needs the most room; by default what it holds now.
    virtual QSize bodySizeHint() const;
    // Keeps the boxes at most this wide, at the left, however wide the window, so that captions
    // stay near their controls; by default the whole body.
    virtual void keepBoxesWithin(int width);

    // Puts the focus into the control of `field` on `step`, which the screen shows; false when the
    // step has no such control.
    bool focusField(int step, FieldRef field);
    // Where a link to an input was followed from, and so where its way back leads: the explanation
    // it stood in, or the step whose error panel named the input.
    enum class WayBack { ToExplanation, ToStep };
    // Offers the way back to the step `step` until the next move.
    void offerReturn(int step, WayBack way);
    // The learner came back to the explanation: the screen takes up what it showed when the learner left.
    virtual void resumeAfterReturn() { }

signals:
    void backRequested();
    void nextRequested();
    void stepRequested(int step);
    void helpRequested();
    void reportRequested();
    // A link to an input (an explanation's, the error panel's): go to its field, offering the way
    // back to `returnStep`.
    void fieldRequested(FieldRef field, int returnStep, StepForm::WayBack way);
    void returnRequested(int step, StepForm::WayBack way);

protected:
    // The scroll area around the body, between the title and the buttons.
    QWidget* bodyArea() const { return content_; }
    // The widget the screen puts its content into (inside a scroll area, for small screens).
    QWidget* bodyWidget() const { return body_; }
    QVBoxLayout* bodyLayout() const { return bodyLayout_; }

    // Which controls show, and which labels read what, on the step.
    virtual void applyLayout(int step) = 0;
    // The input controls of a step and their fields, in reading order.
    virtual std::span<const Binding> bindings(int step) const = 0;
    // Steps with the same key show the same controls; by default each step has a layout of its own.
    virtual int layoutKey(int step) const { return step; }
    // Whether the report can be made from the step; only the calculation screen allows it.
    virtual bool reportAllowed(int /*step*/) const { return false; }

    // The common frame of showing a step: title, captions, Back hidden on step 1, Next on 16,
    // menu states.
    void applyFrame(int step);

private:
    void buildMenu();
    void placeButtonsLastInTabOrder();

    Screen screen_;
    QLabel* title_ = nullptr;
    QWidget* content_ = nullptr; // the scroll area around the body
    QWidget* body_ = nullptr;
    QVBoxLayout* bodyLayout_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* return_ = nullptr; // back to where an input's link was followed from
    int returnStep_ = 0;
    WayBack wayBack_ = WayBack::ToExplanation;
    QPushButton* makeReport_ = nullptr; // on the last step, where Next stands on the others
    std::array<QAction*, kLastStep - kFirstStep + 1> stepActions_{};
    QAction* reportAction_ = nullptr;
    bool tabOrderDone_ = false;
    int shownStep_ = 0;
};

} // namespace kvarton
