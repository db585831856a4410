#include "work_list_screen.h"

#include "steps/screens.h"
#include "steps/widgets.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kvarton {

WorkListScreen::WorkListScreen(QWidget* parent)
    : ModalScreen(qs(screenName(Screen::WorkList)), QStringLiteral("Сохраненные работы"), parent)
{
    content()->addWidget(makeLabel(this, QStringLiteral("WorksCaption"),
        QStringLiteral("Выберите работу, которую хотите продолжить (последняя сохраненная — первая):"), true));
    works_ = new QListWidget(this);
    works_->setObjectName(QStringLiteral("Works"));
    works_->setAccessibleName(QStringLiteral("Сохраненные работы"));
    works_->setSelectionMode(QAbstractItemView::SingleSelection);
    content()->addWidget(works_, 1);
    skipped_ = makeLabel(this, QStringLiteral("SkippedWorks"), {}, true);
    skipped_->hide();
    content()->addWidget(skipped_);
    QPushButton* open = makeButton(this, QStringLiteral("ContinueChosen"), QStringLiteral("продолжить"));
    open->setDefault(true);
    addButton(open);
    connect(open, &QPushButton::clicked, this, &WorkListScreen::continueChosen);
    connect(works_, &QListWidget::itemActivated, this, &WorkListScreen::continueChosen);
    resize(640, 360);
}

void WorkListScreen::setWorks(const QStringList& lines, const QString& skipped)
{
    works_->clear();
    works_->addItems(lines);
    skipped_->setText(skipped);
    skipped_->setVisible(!skipped.isEmpty());
    works_->setCurrentRow(0);
    works_->setFocus();
}

void WorkListScreen::continueChosen()
{
    const int row = works_->currentRow();
    if (row < 0)
        return;
    close();
    emit workChosen(row);
}

} // namespace kvarton
