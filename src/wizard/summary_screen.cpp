#include "summary_screen.h"

#include "group_table_model.h"
#include "report_screen.h"
#include "summary_job.h"

#include "summary/outliers.h"

#include "steps/screens.h"
#include "steps/widgets.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace kvarton {

namespace {

QStringList askWithDialog(QWidget* parent, SummaryScreen::Choice choice)
{
    const QString start = ReportScreen::reportFolder();
    if (choice == SummaryScreen::Choice::Folder) {
        const QString folder = QFileDialog::getExistingDirectory(parent, QStringLiteral("Папка с отчетами"), start);
        return folder.isEmpty() ? QStringList() : QStringList{folder};
    }
    return QFileDialog::getOpenFileNames(
        parent, QStringLiteral("Отчеты слушателей"), start, reportFileFilter());
}

} // namespace

SummaryScreen::SummaryScreen(QWidget* parent)
    : ModalScreen(qs(screenName(Screen::Summary)), QStringLiteral("Сводка отчетов"), parent)
    , choose_(askWithDialog)
    , job_(new SummaryJob(this))
{
    content()->addWidget(makeLabel(this, QStringLiteral("SummaryHint"),
        QStringLiteral("Выберите отчеты слушателей (файлы Excel) или папку, в которой они лежат. Программа "
                       "прочитает каждый отчет, рассчитает его показатели так же, как на шагах 13–16, и "
                       "запишет их в новый файл Excel — по строке на отчет. Файлы, которые не удалось "
                       "прочитать, будут перечислены на втором листе с причиной."),
        true));
    auto* choices = new QHBoxLayout;
    files_ = makeButton(this, QStringLiteral("ChooseFiles"), QStringLiteral("выбрать файлы…"));
    folder_ = makeButton(this, QStringLiteral("ChooseFolder"), QStringLiteral("выбрать папку…"));
    choices->addWidget(files_);
    choices->addWidget(folder_);
    choices->addStretch(1);
    content()->addLayout(choices);
    auto* running = new QHBoxLayout;
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("SummaryProgress"));
    progress_->setAccessibleName(QStringLiteral("Прочитано отчетов"));
    progress_->setFormat(QStringLiteral("%v из %m"));
    cancel_ = makeButton(this, QStringLiteral("CancelSummary"), QStringLiteral("отменить"));
    running->addWidget(progress_, 1);
    running->addWidget(cancel_);
    content()->addLayout(running);
    status_ = makeLabel(this, QStringLiteral("SummaryStatus"), {}, true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    content()->addWidget(status_);

    groupCaption_ = makeLabel(this, QStringLiteral("GroupCaption"), {}, true);
    content()->addWidget(groupCaption_);
    group_ = new GroupTableModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(group_);
    sorted_->setSortRole(Qt::UserRole);
    sorted_->setSortLocaleAware(true);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("GroupTable"));
    table_->setAccessibleName(QStringLiteral("Отчеты группы"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    content()->addWidget(table_, 1);
    farRule_ = makeLabel(this, QStringLiteral("FarRule"), qs(summary::farRuleText()), true);
    content()->addWidget(farRule_);
    unread_ = makeLabel(this, QStringLiteral("UnreadFiles"), {}, true);
    unread_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    content()->addWidget(unread_);
    writeAgain_ = makeButton(this, QStringLiteral("WriteSummary"), QStringLiteral("записать сводку"));
    addButton(writeAgain_);
    for (QWidget* w : std::initializer_list<QWidget*>{groupCaption_, table_, farRule_, unread_, writeAgain_})
        w->hide();
    stretch_ = new QWidget(this); // takes the room the table leaves while there is none
    content()->addWidget(stretch_, 1);
    setBusy(false);
    status_->hide();

    connect(table_, &QTableView::activated, this, &SummaryScreen::openRow);
    connect(writeAgain_, &QPushButton::clicked, this, [this] {
        if (!read_)
            return;
        status_->setText(QStringLiteral("Записывается сводка…"));
        setBusy(true);
        if (!job_->writeAgain(*read_, ReportScreen::reportFolder()))
            setBusy(false);
    });

    connect(files_, &QPushButton::clicked, this, [this] { ask(Choice::Files); });
    connect(folder_, &QPushButton::clicked, this, [this] { ask(Choice::Folder); });
    connect(cancel_, &QPushButton::clicked, job_, &SummaryJob::cancel);
    connect(job_, &SummaryJob::progress, this, [this](int done, int total) {
        progress_->setMaximum(std::max(total, 1));
        progress_->setValue(done);
    });
    connect(job_, &SummaryJob::finished, this, &SummaryScreen::done);
    resize(620, 320);
}

SummaryScreen::~SummaryScreen() = default;

bool SummaryScreen::isBusy() const { return job_->isRunning(); }

void SummaryScreen::showEvent(QShowEvent* event)
{
    if (!event->spontaneous() && !isBusy()) {
        status_->clear();
        status_->hide();
        progress_->hide();
        cancel_->hide();
        showGroup({});
    }
    ModalScreen::showEvent(event);
}

// Closing the window while files are being read cancels the summary: nothing is written.
void SummaryScreen::closeEvent(QCloseEvent* event)
{
    job_->cancel();
    ModalScreen::closeEvent(event);
}

void SummaryScreen::ask(Choice choice)
{
    const QStringList inputs = choose_(this, choice);
    if (!inputs.isEmpty())
        summarize(inputs);
}

void SummaryScreen::summarize(const QStringList& inputs)
{
    status_->setText(QStringLiteral("Читаются отчеты…"));
    status_->show();
    progress_->setMaximum(1);
    progress_->setValue(0);
    setBusy(true);
    if (!job_->start(inputs, ReportScreen::reportFolder()))
        setBusy(false);
}

void SummaryScreen::setBusy(bool busy)
{
    files_->setEnabled(!busy);
    folder_->setEnabled(!busy);
    writeAgain_->setEnabled(!busy);
    progress_->setVisible(busy);
    cancel_->setVisible(busy);
}

void SummaryScreen::done(const SummaryOutcome& outcome)
{
    setBusy(false);
    if (outcome.cancelled) {
        status_->setText(QStringLiteral("Сводка отменена: файл не записан."));
    } else if (outcome.path.isEmpty()) {
        status_->setText(outcome.problem);
    } else {
        lastSummary_ = outcome.path;
        // The offscreen platform (the scenario runner and tests) has no desktop to open the file with.
        const bool opened = QGuiApplication::platformName() != QLatin1String("offscreen")
            && QDesktopServices::openUrl(QUrl::fromLocalFile(outcome.path));
        QString text = QStringLiteral("Сводка сохранена в файл:\n%1\nПрочитано отчетов: %2.")
                           .arg(QDir::toNativeSeparators(outcome.path))
                           .arg(outcome.reports);
        if (!outcome.unread.empty())
            text += QStringLiteral(" Не прочитано файлов: %1 (они перечислены на листе «Не прочитаны»).")
                        .arg(outcome.unread.size());
        if (!outcome.passedSummaries.empty())
            text += QStringLiteral(" Пропущены сводки, записанные программой: %1.").arg(outcome.passedSummaries.size());
        if (!opened)
            text += QStringLiteral("\nОткройте этот файл программой для работы с электронными таблицами.");
        status_->setText(text);
    }
    status_->show();
    if (!outcome.cancelled && (!outcome.rows.empty() || !outcome.unread.empty()))
        showGroup(outcome);
    emit idle();
}

void SummaryScreen::showGroup(const SummaryOutcome& outcome)
{
    read_ = std::make_unique<SummaryOutcome>(outcome);
    group_->setRows(outcome.rows);
    sorted_->sort(-1);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    const bool any = !outcome.rows.empty() || !outcome.unread.empty();
    groupCaption_->setText(
        QStringLiteral("Отчетов в группе: %1. Выделено показателей: %2. Двойной щелчок или Enter на строке "
                       "открывает отчет слушателя.")
            .arg(outcome.rows.size())
            .arg(group_->farCount()));
    QStringList unread;
    for (const summary::UnreadFile& f : outcome.unread)
        unread << QStringLiteral("«%1»: %2").arg(QString::fromStdString(f.fileName), QString::fromStdString(f.reason));
    unread_->setText(unread.isEmpty() ? QString() : QStringLiteral("Не прочитаны:\n") + unread.join(u'\n'));
    for (QWidget* w : std::initializer_list<QWidget*>{groupCaption_, table_, farRule_, writeAgain_})
        w->setVisible(any);
    unread_->setVisible(!unread.isEmpty());
    stretch_->setVisible(!any);
    if (!any)
        return;
    table_->resizeColumnsToContents();
    // A figure's head names its step, option and caption on three lines, which would make every
    // column as wide as the longest: the columns keep to a width that shows the figures, and the
    // whole head is its tooltip.
    constexpr int kWidestColumn = 150;
    for (int c = 0; c < group_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), kWidestColumn));
    // The group wants room: as wide and high as the caller's screen leaves.
    if (const QScreen* screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        resize(std::max(width(), std::min(1100, free.width() - 40)),
            std::max(height(), std::min(700, free.height() - 60)));
    }
}

void SummaryScreen::openRow(const QModelIndex& index)
{
    if (!index.isValid() || !read_)
        return;
    const QString path = QString::fromStdString(group_->row(sorted_->mapToSource(index).row()).path);
    if (!path.isEmpty())
        emit reportChosen(path);
}

} // namespace kvarton
