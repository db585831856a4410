#include "main_window.h"

#include "window_place.h"

#include "steps/step_form.h"
#include "steps/widgets.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace kvarton {

MainWindow::MainWindow()
{
    setObjectName(QStringLiteral("MainWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Above every page, so that no screen changes for it: whose report the work shown was read from.
    reportOwner_ = makeLabel(this, QStringLiteral("ReportOwner"), {});
    reportOwner_->setContentsMargins(8, 3, 8, 3);
    reportOwner_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reportOwner_->hide();
    layout->addWidget(reportOwner_);
    pages_ = new QStackedLayout;
    pages_->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(pages_, 1);
    // The layout gives every page the window's rectangle and the window the largest page's sizes;
    // which page shows is the window's own business (showPage).
    pages_->setStackingMode(QStackedLayout::StackAll);
}

void MainWindow::addPage(QWidget* page)
{
    pages_->addWidget(page);
    if (current_)
        page->hide();
    else
        current_ = page;
    connect(page, &QWidget::windowTitleChanged, this, [this, page] {
        if (page == currentPage())
            updateTitle();
    });
}

// A stacked layout's own switch pauses the window's updates around it, and resuming them marks
// every widget of the window dirty one by one; the back store then paints a page with a scroll area
// twice, once for its viewport and once for the children over it. Hiding one page and showing the
// other marks their area once, and the page paints once. Focus moves as the layout would move it.
void MainWindow::showPage(QWidget* page)
{
    QWidget* previous = current_;
    if (page != previous) {
        QWidget* focus = focusWidget();
        const bool focusWasOnPrevious = focus && previous && previous->isAncestorOf(focus);
        if (previous) {
            previous->clearFocus();
            previous->hide();
        }
        current_ = page;
        page->raise();
        page->show();
        if (focusWasOnPrevious)
            moveFocusInto(page, focus);
    }
    updateTitle();
}

// The page's own focus widget, else the first widget after the old focus in the focus chain that
// lies on the page and takes Tab, else the page itself.
void MainWindow::moveFocusInto(QWidget* page, QWidget* oldFocus)
{
    if (QWidget* own = page->focusWidget()) {
        own->setFocus();
        return;
    }
    for (QWidget* w = oldFocus->nextInFocusChain(); w != oldFocus; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() && w->isVisibleTo(page)
            && w->isEnabled() && page->isAncestorOf(w)) {
            w->setFocus();
            return;
        }
    }
    page->setFocus();
}

QWidget* MainWindow::currentPage() const { return current_; }

void MainWindow::updateTitle()
{
    const QString title = currentPage() ? currentPage()->windowTitle() : QString();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Квартон") : title + QStringLiteral(" — Квартон"));
}

void MainWindow::fitAndCentre()
{
    // A step screen's natural size shows each of its steps whole, which its scroll area would cap.
    QSize wanted(640, 480);
    for (int i = 0; i < pages_->count(); ++i) {
        const QWidget* page = pages_->widget(i);
        const auto* form = qobject_cast<const StepForm*>(page);
        wanted = wanted.expandedTo(form ? form->naturalSize() : page->sizeHint());
    }
    resizeCentred(wanted);
}

void MainWindow::resizeCentred(QSize wanted)
{
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    placeWithin(*this, wanted, available, available.center());
}

void MainWindow::showReportOwner(const QString& line)
{
    reportOwner_->setText(line);
    reportOwner_->setToolTip(line);
    reportOwner_->setVisible(!line.isEmpty());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closeRequested();
}

} // namespace kvarton
