#include "modal_screen.h"

#include "window_place.h"

#include "steps/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

namespace kvarton {

ModalScreen::ModalScreen(const QString& name, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Dialog)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    content_ = new QVBoxLayout;
    layout->addLayout(content_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* close = makeButton(this, QStringLiteral("Command1"), QStringLiteral("закрыть"));
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    close_ = close;
    buttons_ = buttons;
}

void ModalScreen::openOver(std::initializer_list<QWidget*> inert) { openOver(QList<QWidget*>(inert)); }

void ModalScreen::openOver(const QList<QWidget*>& inert)
{
    if (!isVisible()) {
        focusBefore_ = QApplication::focusWidget();
        inert_.clear();
        for (QWidget* w : inert)
            inert_ << w;
    }
    for (QWidget* w : inert)
        w->setEnabled(false);
    show();
    raise();
    activateWindow();
}

void ModalScreen::addButton(QWidget* button) { buttons_->insertWidget(buttons_->indexOf(close_), button); }

// A dialog window that is no QDialog is placed by the system, which may put it on another screen
// than its caller's, or partly off a small one.
void ModalScreen::placeOverCaller()
{
    const QWidget* caller = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* on = caller ? caller->screen() : screen();
    if (!on)
        return;
    setScreen(on);
    placeWithin(*this, size(), on->availableGeometry(),
        caller ? caller->frameGeometry().center() : on->availableGeometry().center());
}

// The screen's content is made after the button; in reading and Tab order the button comes last.
void ModalScreen::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        placeOverCaller();
    if (!ordered_) {
        close_->raise();
        QWidget* last = nullptr;
        for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w != close_ && (w->focusPolicy() & Qt::TabFocus))
                last = w;
        if (last)
            setTabOrder(last, close_);
        ordered_ = true;
    }
    QWidget::showEvent(event);
}

void ModalScreen::closeEvent(QCloseEvent* event)
{
    event->accept();
    for (const QPointer<QWidget>& w : std::exchange(inert_, {}))
        if (w)
            w->setEnabled(true);
    if (QPointer<QWidget> focus = std::exchange(focusBefore_, nullptr); focus && focus->isEnabled())
        focus->setFocus();
    emit closed();
}

void ModalScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kvarton
