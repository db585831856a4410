#include "main_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStackedLayout>

#include <algorithm>

namespace kvarton {

MainWindow::MainWindow()
{
    setObjectName(QStringLiteral("MainWindow"));
    pages_ = new QStackedLayout(this);
    pages_->setContentsMargins(0, 0, 0, 0);
}

void MainWindow::addPage(QWidget* page)
{
    pages_->addWidget(page);
    connect(page, &QWidget::windowTitleChanged, this, [this, page] {
        if (page == currentPage())
            updateTitle();
    });
}

void MainWindow::showPage(QWidget* page)
{
    pages_->setCurrentWidget(page);
    updateTitle();
}

QWidget* MainWindow::currentPage() const { return pages_->currentWidget(); }

void MainWindow::updateTitle()
{
    const QString title = currentPage() ? currentPage()->windowTitle() : QString();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Квартон") : title + QStringLiteral(" — Квартон"));
}

void MainWindow::fitAndCentre()
{
    // A page's natural size: its scroll area's contents, which the scroll area itself would cap.
    QSize wanted(640, 480);
    for (int i = 0; i < pages_->count(); ++i) {
        QWidget* page = pages_->widget(i);
        QSize hint = page->sizeHint();
        if (auto* scroll = page->findChild<QScrollArea*>(); scroll && scroll->widget()) {
            const QSize content = scroll->widget()->sizeHint();
            const int margins = page->contentsMargins().left() + page->contentsMargins().right() + 24;
            hint = QSize(std::max(hint.width(), content.width() + margins),
                hint.height() - scroll->sizeHint().height() + content.height() + 8);
        }
        wanted = wanted.expandedTo(hint);
    }
    resizeCentred(wanted);
}

void MainWindow::resizeCentred(QSize wanted)
{
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    const QSize size = wanted.boundedTo(available.size() - QSize(16, 48));
    resize(size);
    // A window's position is its frame's: once the window has a frame, the frame is centred.
    const QSize framed = size + (frameGeometry().size() - geometry().size());
    move(available.center() - QPoint(framed.width() / 2, framed.height() / 2));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closeRequested();
}

} // namespace kvarton
