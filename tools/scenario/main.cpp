#include "model/numeric_locale.h"
#include "offscreen_screen.h"
#include "scenario_runner.h"
#include "wizard/wizard.h"
#include "wizard/work_keeper.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

using kvarton::ScenarioRunner;

namespace {

int fail(const QString& message, int status)
{
    std::fputs(qPrintable(message + u'\n'), stderr);
    return status;
}

// The offscreen platform tells nothing a learner would see; its notes would only bury the output.
void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("This plugin does not support"))
        || message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fputs(qPrintable(message + u'\n'), stderr);
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // What a scenario prints is compared byte for byte with the expected output on every system:
    // lines end in LF on Windows too, not in the CR LF of its text mode.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    qInstallMessageHandler(quietHandler);
    QTemporaryFile screenConfig;
    kvarton::useOffscreenLaptopScreen(screenConfig);
    QApplication app(argc, argv);
    kvarton::useFileNotationForNumbers();
    QApplication::setApplicationName(QStringLiteral("kvarton"));

    QStringList args = QApplication::arguments().mid(1);
    QString expectedPath;
    if (args.value(0) == QLatin1String("--help") || args.value(0) == QLatin1String("-h")) {
        std::fputs(qPrintable(ScenarioRunner::usage()), stdout);
        return 0;
    }
    if (args.value(0) == QLatin1String("--compare")) {
        expectedPath = args.value(1);
        args = args.mid(2);
    }
    if (args.size() != 1)
        return fail(ScenarioRunner::usage(), ScenarioRunner::CannotRun);

    QFile file;
    const bool opened = args[0] == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                      : (file.setFileName(args[0]), file.open(QIODevice::ReadOnly));
    if (!opened)
        return fail(QStringLiteral("cannot read %1").arg(args[0]), ScenarioRunner::CannotRun);
    const QString script = QString::fromUtf8(file.readAll());

    // The program's own folder of saved works: the tests give each scenario a data folder of its own.
    kvarton::Wizard wizard(kvarton::savedWorksFolder());
    ScenarioRunner runner(wizard);
    if (args[0] != QLatin1String("-"))
        runner.setBaseFolder(QFileInfo(args[0]).absolutePath());
    QObject::connect(&wizard, &kvarton::Wizard::quitRequested, [&runner] { runner.setProgramEnded(); });
    wizard.start();
    QApplication::processEvents();

    int status = runner.run(script);
    std::fputs(runner.output().toUtf8().constData(), stdout);
    for (const QString& message : runner.messages())
        std::fputs(qPrintable(message + u'\n'), stderr);
    // Whatever the scenario opened (a dialog, a platform theme) must have left the numbers of the
    // workbooks alone: under a Russian locale every scenario checks it.
    if (!kvarton::numbersInFileNotation()) {
        std::fputs("the C library's numbers follow the user's locale again: workbooks would be damaged\n", stderr);
        status = ScenarioRunner::ExpectationFailed;
    }

    if (!expectedPath.isEmpty() && status != ScenarioRunner::CannotRun) {
        QFile expected(expectedPath);
        if (!expected.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1").arg(expectedPath), ScenarioRunner::CannotRun);
        const QStringList want = QString::fromUtf8(expected.readAll()).split(u'\n');
        const QStringList got = runner.output().split(u'\n');
        for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i)
            if (want.value(i) != got.value(i)) {
                std::fputs(qPrintable(QStringLiteral("output line %1: expected \"%2\", got \"%3\"\n")
                                          .arg(i + 1)
                                          .arg(want.value(i), got.value(i))),
                    stderr);
                status = ScenarioRunner::ExpectationFailed;
                break;
            }
    }
    return status;
}
