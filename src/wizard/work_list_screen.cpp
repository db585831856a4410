#include "work_list_screen.h"

#include "number_sign.h"
#include "steps/screens.h"
#include "steps/widgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvarton {

namespace {

enum Column { Learner, Institution, Region, Step, Saved, kColumns };

const char* const kHeads[kColumns] = {"Слушатель", "Учреждение", "Регион", "Шаг", "Сохранена"};

bool askWithDialog(QWidget* parent, const QString& question)
{
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Удаление работы"), question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("RemoveConfirmation"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("удалить"));
    box.button(QMessageBox::No)->setText(QStringLiteral("отмена"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString learnerText(const WorkRow& w)
{
    const QString learner = w.learner.isEmpty() ? QStringLiteral("фамилия не указана") : w.learner;
    return w.fromReport ? QStringLiteral("Отчет: ") + learner : learner;
}

} // namespace

WorkListScreen::WorkListScreen(QWidget* parent)
    : ModalScreen(qs(screenName(Screen::WorkList)), QStringLiteral("Сохраненные работы"), parent)
    , confirm_(askWithDialog)
{
    content()->addWidget(makeLabel(this, QStringLiteral("WorksCaption"),
        QStringLiteral("Выберите работу, которую хотите продолжить (последняя сохраненная — первая):"), true));
    works_ = new QTableWidget(0, kColumns, this);
    works_->setObjectName(QStringLiteral("Works"));
    works_->setAccessibleName(QStringLiteral("Сохраненные работы"));
    works_->setSelectionMode(QAbstractItemView::SingleSelection);
    works_->setSelectionBehavior(QAbstractItemView::SelectRows);
    works_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    works_->verticalHeader()->hide();
    works_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    works_->setWordWrap(true);
    QStringList heads;
    for (const char* head : kHeads)
        heads << QString::fromUtf8(head);
    works_->setHorizontalHeaderLabels(heads);
    // The institution takes the room the other columns leave and wraps its name within it.
    QHeaderView* header = works_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(Institution, QHeaderView::Stretch);
    works_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    content()->addWidget(works_, 1);
    skipped_ = makeLabel(this, QStringLiteral("SkippedWorks"), {}, true);
    skipped_->hide();
    content()->addWidget(skipped_);
    problem_ = makeLabel(this, QStringLiteral("RemoveProblem"), {}, true);
    problem_->hide();
    content()->addWidget(problem_);
    remove_ = makeButton(this, QStringLiteral("RemoveWork"), QStringLiteral("удалить…"));
    addButton(remove_);
    QPushButton* open = makeButton(this, QStringLiteral("ContinueChosen"), QStringLiteral("продолжить"));
    open->setDefault(true);
    addButton(open);
    connect(open, &QPushButton::clicked, this, &WorkListScreen::continueChosen);
    connect(remove_, &QPushButton::clicked, this, &WorkListScreen::removeChosen);
    connect(works_, &QTableWidget::itemActivated, this, &WorkListScreen::continueChosen);
    resize(760, 400);
}

void WorkListScreen::setWorks(const std::vector<WorkRow>& rows, const QString& skipped)
{
    works_->clearContents();
    works_->clearSpans();
    works_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const WorkRow& w = rows[static_cast<std::size_t>(r)];
        if (!w.problem.isEmpty()) {
            works_->setItem(r, Learner, new QTableWidgetItem(w.problem));
            works_->setSpan(r, 0, 1, kColumns);
            continue;
        }
        const QString region = w.region.isEmpty() ? QStringLiteral("регион не выбран") : w.region;
        const QString texts[kColumns]
            = {learnerText(w), keptWithNumber(w.institution), region, QString::number(w.step), w.saved};
        for (int c = 0; c < kColumns; ++c)
            works_->setItem(r, c, new QTableWidgetItem(texts[c]));
    }
    skipped_->setText(skipped);
    skipped_->setVisible(!skipped.isEmpty());
    remove_->setEnabled(!rows.empty());
    works_->setCurrentCell(rows.empty() ? -1 : 0, 0);
    works_->setFocus();
}

void WorkListScreen::showProblem(const QString& message)
{
    problem_->setText(message);
    problem_->setVisible(!message.isEmpty());
}

void WorkListScreen::continueChosen()
{
    const int row = works_->currentRow();
    if (row < 0)
        return;
    close();
    emit workChosen(row);
}

void WorkListScreen::removeChosen()
{
    const int row = works_->currentRow();
    if (row < 0)
        return;
    QStringList cells;
    for (int c = 0; c < kColumns; ++c)
        if (const QTableWidgetItem* item = works_->item(row, c))
            cells << item->text();
    const QString question = QStringLiteral("Удалить работу «%1»? Она будет перемещена в корзину (или в папку "
                                            "«удаленные» рядом с работами) вместе с предыдущей версией.")
                                 .arg(cells.join(QStringLiteral(", ")));
    if (confirm_(this, question))
        emit removeRequested(row);
}

} // namespace kvarton
