#include "report_screen.h"

#include "address_label.h"
#include "course_settings.h"
#include "fresh_name.h"
#include "report/report.h"
#include "report/report_file_name.h"
#include "steps/screens.h"
#include "steps/widgets.h"
#include "test_switches.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QShowEvent>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace kvarton {

QString reportFileFilter() { return QStringLiteral("Отчеты Квартона (*.xlsx);;Все файлы (*)"); }

ReportScreen::ReportScreen(const InstitutionModel& model, QWidget* parent)
    : ModalScreen(qs(screenName(Screen::Report)), QStringLiteral("Создание отчета"), parent)
    , model_(model)
{
    content()->addWidget(makeLabel(this, QStringLiteral("Label1"),
        QStringLiteral("Для успешного завершения работы с имитационным модулем убедитесь, что введенные на шагах с "
                       "1-го по 12-й данные соответствуют специфике оказания услуг в Вашем дошкольном "
                       "образовательном учреждении и нажмите кнопку \"вывести отчет\"."),
        true));
    content()->addWidget(new AddressLabel(QStringLiteral("Label2"),
        QStringLiteral("Полученный файл формата Excel сохраните под уникальным именем и "
                       "отправьте по электронной почте на адрес   ")
            + courseSettings().email,
        this));
    content()->addWidget(makeLabel(this, QStringLiteral("Label3"),
        QStringLiteral("Внимание: Убедитесь, что на Вашем компьютере установлен пакет программ MS Office (MS Excel)"),
        true));
    QPushButton* write = makeButton(this, QStringLiteral("Command2"), QStringLiteral("вывести отчет"));
    content()->addWidget(write, 0, Qt::AlignLeft);
    status_ = makeLabel(this, QStringLiteral("ReportStatus"), {}, true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->hide();
    content()->addWidget(status_);
    // The inputs that stop the report, all of them, scrolling when long.
    const ScrollingList inputs
        = makeScrollingList(this, QStringLiteral("ReportInputs"), QStringLiteral("ReportInputsArea"));
    inputs_ = inputs.list;
    inputsArea_ = inputs.area;
    inputsArea_->hide();
    content()->addWidget(inputsArea_, 4);
    content()->addStretch(1);
    connect(write, &QPushButton::clicked, this, &ReportScreen::writeReport);
    resize(600, 400);
}

// Each opening starts clean: what the last press said belongs to a report the learner has seen.
// A window brought back from the task bar (a spontaneous show) keeps what it showed.
void ReportScreen::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        say({});
    ModalScreen::showEvent(event);
}

QString ReportScreen::reportFolder()
{
    const QString configured = testSwitches::reportFolder();
    if (!configured.isEmpty())
        return configured;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

// Written under a temporary name and renamed when complete, so a half-written workbook never
// carries the final name; an existing file is never replaced.
void ReportScreen::say(const QString& text, const QStringList& inputs)
{
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
    inputs_->setText(inputs.join(u'\n'));
    inputsArea_->setVisible(!inputs.isEmpty());
}

void ReportScreen::writeReport()
{
    const QString folderPath = reportFolder();
    QDir folder(folderPath);
    if (!folder.exists() && !QDir().mkpath(folderPath)) {
        say(QStringLiteral("Отчет не создан: не удалось создать папку «%1». Проверьте права на запись и свободное "
                           "место на диске и снова нажмите «вывести отчет».")
                .arg(QDir::toNativeSeparators(folderPath)));
        return;
    }
    // A new file for every press, named after its learner so that the teacher tells reports apart.
    const QString stem = QString::fromStdString(report::reportFileStem(model_.surname, model_.institutionName));
    const QString name = freshWorkbookName(folder, stem, QStringLiteral(" — "));
    const QString finalPath = folder.filePath(name);
    const QString partPath = folder.filePath(QStringLiteral(".") + name + QStringLiteral(".part"));
    QFile::remove(partPath);
    if (const auto problem = report::writeXlsxReport(model_, partPath.toStdString())) {
        QStringList inputs;
        for (const std::string& input : problem->inputs)
            inputs << QString::fromStdString(input);
        say(QString::fromStdString(problem->message), inputs);
        return;
    }
    if (!QFile::rename(partPath, finalPath)) {
        QFile::remove(partPath);
        say(QStringLiteral("Отчет не создан: не удалось записать файл в папку «%1». Проверьте права на эту папку и "
                           "снова нажмите «вывести отчет».")
                .arg(QDir::toNativeSeparators(folderPath)));
        return;
    }
    lastReport_ = finalPath;

    // The offscreen platform (the scenario runner and tests) has no desktop to open the file with.
    const bool opened = QGuiApplication::platformName() != QLatin1String("offscreen")
        && QDesktopServices::openUrl(QUrl::fromLocalFile(finalPath));
    QString text = QStringLiteral("Отчет сохранен в файл:\n%1").arg(QDir::toNativeSeparators(finalPath));
    if (!opened)
        text += QStringLiteral("\nОткройте этот файл программой для работы с электронными таблицами.");
    say(text);
}

} // namespace kvarton
