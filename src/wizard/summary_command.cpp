#include "summary_command.h"

#include "summary_job.h"

#include <QDir>

#include <cstdio>

namespace kvarton {

namespace {

void say(const QString& text) { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); }

} // namespace

int runSummaryCommand(const QStringList& arguments)
{
    if (arguments.size() < 2) {
        say(QStringLiteral("Сводка не создана: укажите файл сводки и отчеты или папки с ними:\n"
                           "  kvarton --summary СВОДКА.xlsx ОТЧЕТ_ИЛИ_ПАПКА…"));
        return 2;
    }
    const QString target = arguments.first();
    if (!target.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) {
        say(QStringLiteral("Сводка не создана: имя файла сводки «%1» должно оканчиваться на .xlsx.").arg(target));
        return 2;
    }
    const SummaryOutcome outcome = makeSummary(arguments.mid(1), target);
    if (outcome.path.isEmpty()) {
        say(outcome.problem);
        return 2;
    }
    say(QStringLiteral("Сводка записана в файл «%1»: прочитано отчетов: %2, не прочитано файлов: %3.")
            .arg(QDir::toNativeSeparators(outcome.path))
            .arg(outcome.reports)
            .arg(outcome.unread.size()));
    for (const summary::UnreadFile& f : outcome.unread)
        say(QStringLiteral("Файл «%1» не прочитан: %2")
                .arg(QString::fromStdString(f.fileName), QString::fromStdString(f.reason)));
    // An earlier summary beside the reports is no report: one quiet line, and no failure.
    QStringList passed;
    for (const std::string& name : outcome.passedSummaries)
        passed << QStringLiteral("«%1»").arg(QString::fromStdString(name));
    if (!passed.isEmpty())
        say(QStringLiteral("Пропущены сводки, записанные программой: %1.").arg(passed.join(QStringLiteral(", "))));
    return outcome.unread.empty() ? 0 : 1;
}

} // namespace kvarton
