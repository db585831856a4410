#include "step_form.h"

#include "menu_table.h"
#include "widgets.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace kvarton {

StepForm::StepForm(Screen screen, const QString& windowTitle, QWidget* parent)
    : QWidget(parent)
    , screen_(screen)
{
    setObjectName(qs(screenName(screen)));
    setWindowTitle(windowTitle);

    auto* layout = new QVBoxLayout(this);
    buildMenu();

    title_ = makeTitle(this, QStringLiteral("Label1"), {});
    layout->addWidget(title_);

    auto* scroll = new QScrollArea(this);
    content_ = scroll;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    body_ = new QWidget(scroll);
    bodyLayout_ = new QVBoxLayout(body_);
    bodyLayout_->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(body_);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    back_ = makeButton(this, QStringLiteral("Command1"), {});
    next_ = makeButton(this, QStringLiteral("Command2"), {});
    // The last step leads on to the report, where the other steps lead to the next: the button
    // does what the menu item "Создать отчет" does, and is enabled with it.
    makeReport_ = makeButton(this, QStringLiteral("MakeReport"), QStringLiteral("создать отчет"));
    makeReport_->hide();
    buttons->addWidget(back_);
    buttons->addStretch(1);
    // Shown only after a link to an input led here, between Back and Next: it takes no room while
    // hidden, so the screen's layout stays as designed. Its caption says where it leads (offerReturn).
    return_ = makeButton(this, QStringLiteral("ReturnToExplanation"), QStringLiteral("Вернуться к объяснению"));
    return_->hide();
    buttons->addWidget(return_);
    buttons->addWidget(next_);
    buttons->addWidget(makeReport_);
    layout->addLayout(buttons);

    connect(back_, &QPushButton::clicked, this, &StepForm::backRequested);
    connect(next_, &QPushButton::clicked, this, &StepForm::nextRequested);
    connect(makeReport_, &QPushButton::clicked, reportAction_, &QAction::trigger);
    connect(reportAction_, &QAction::enabledChanged, makeReport_, &QPushButton::setEnabled);
    connect(return_, &QPushButton::clicked, this, [this] { emit returnRequested(returnStep_, wayBack_); });
}

bool StepForm::focusField(int step, FieldRef field)
{
    for (const Binding& b : bindings(step))
        if (b.field == field && b.control->isVisibleTo(this)) {
            b.control->setFocus(Qt::OtherFocusReason);
            if (auto* content = qobject_cast<QScrollArea*>(content_))
                content->ensureWidgetVisible(b.control);
            return true;
        }
    return false;
}

void StepForm::offerReturn(int step, WayBack way)
{
    returnStep_ = step;
    wayBack_ = way;
    // After the error panel's link there is no explanation to go back to, only its step.
    return_->setText(way == WayBack::ToExplanation ? QStringLiteral("Вернуться к объяснению")
                                                   : QStringLiteral("Вернуться к шагу %1").arg(step));
    return_->show();
}

void StepForm::buildMenu()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar"));
    QHash<QString, QMenu*> menus;
    for (const MenuEntry& e : menuEntries()) {
        const QString name = qs(e.name);
        const QString caption = qs(menuCaption(screen_, e));
        if (e.target == MenuTarget::Submenu) {
            QMenu* menu = e.parent.empty() ? bar->addMenu(caption) : menus.value(qs(e.parent))->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QStringLiteral("Menu"));
            menus.insert(name, menu);
            continue;
        }
        // Actions are children of the screen so that they are found by their names on it.
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        menus.value(qs(e.parent))->addAction(action);
        switch (e.target) {
        case MenuTarget::Step:
            stepActions_[static_cast<std::size_t>(e.step - kFirstStep)] = action;
            connect(action, &QAction::triggered, this, [this, step = e.step] { emit stepRequested(step); });
            break;
        case MenuTarget::Help:
            connect(action, &QAction::triggered, this, &StepForm::helpRequested);
            break;
        case MenuTarget::Report:
            reportAction_ = action;
            connect(action, &QAction::triggered, this, &StepForm::reportRequested);
            break;
        case MenuTarget::Submenu:
            break;
        }
    }
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

void StepForm::applyFrame(int step)
{
    title_->setText(qs(stepInfo(step).title));
    back_->setText(qs(backCaption(step)));
    next_->setText(qs(nextCaption(step)));
    back_->setVisible(step != kFirstStep);
    next_->setVisible(step != kLastStep);
    makeReport_->setVisible(step == kLastStep);
    for (int s = kFirstStep; s <= kLastStep; ++s)
        stepAction(s)->setEnabled(s != step);
    reportAction_->setEnabled(reportAllowed(step));
    makeReport_->setEnabled(reportAction_->isEnabled());
}

// The screen's own controls are made after Back and Next; Tab should reach the buttons last.
void StepForm::placeButtonsLastInTabOrder()
{
    QWidget* last = nullptr;
    for (QWidget* w : body_->findChildren<QWidget*>())
        if (w->window() == window() && (w->focusPolicy() & Qt::TabFocus)) // not inside a list's popup
            last = w;
    if (last)
        setTabOrder(last, back_);
    setTabOrder(back_, return_);
    setTabOrder(return_, next_);
    setTabOrder(next_, makeReport_);
    tabOrderDone_ = true;
}

void StepForm::showStep(int step, InstitutionModel& model)
{
    if (!tabOrderDone_)
        placeButtonsLastInTabOrder();
    // A step shows and hides many controls; while the content is hidden their changes are laid out
    // once when it shows again, instead of once per control.
    const bool shown = content_->isVisible() && layoutKey(step) != layoutKey(shownStep_);
    if (shown)
        content_->hide();
    // The way back lasts until the next move.
    return_->hide();
    applyFrame(step);
    applyLayout(step);
    for (const Binding& b : bindings(step))
        showValue(b, model);
    if (shown) {
        content_->show();
        // The body was laid out while hidden, when the scroll area hears nothing of it: it sizes the
        // body and its scroll bars for the step now, not for the step before (a needless scroll bar).
        QEvent laidOut(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(content_, &laidOut);
    }
    shownStep_ = step;
}

QSize StepForm::bodySizeHint() const { return body_->sizeHint(); }

void StepForm::keepBoxesWithin(int width) { body_->setMaximumWidth(width); }

QSize StepForm::naturalSize() const
{
    // The screen's own hint holds the scroll area at the size the area caps itself to; the body's
    // whole size takes its place.
    const QSize hint = sizeHint();
    const QSize body = bodySizeHint();
    const int margins = contentsMargins().left() + contentsMargins().right() + 24;
    return {std::max(hint.width(), body.width() + margins),
        hint.height() - content_->sizeHint().height() + body.height() + 8};
}

void StepForm::commitStep(int step, InstitutionModel& model) const
{
    for (const Binding& b : bindings(step))
        commitValue(b, model);
}

} // namespace kvarton
