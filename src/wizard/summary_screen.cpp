#include "summary_screen.h"

#include "report_screen.h"
#include "summary_job.h"

#include "steps/screens.h"
#include "steps/widgets.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

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
    content()->addStretch(1);
    setBusy(false);
    status_->hide();

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
        if (!opened)
            text += QStringLiteral("\nОткройте этот файл программой для работы с электронными таблицами.");
        status_->setText(text);
    }
    status_->show();
    emit idle();
}

} // namespace kvarton
