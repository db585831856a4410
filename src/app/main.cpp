#include "model/numeric_locale.h"
#include "wizard/main_window.h"
#include "wizard/summary_command.h"
#include "wizard/test_switches.h"
#include "wizard/wizard.h"
#include "wizard/work_keeper.h"

#include <QApplication>
#include <QDirIterator>
#include <QEvent>
#include <QIcon>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>

namespace {

// The icon drawn for Kvarton, built into the program: the same pictures the package installs into
// the icon theme, without a search through the theme's folders at every start.
QIcon applicationIcon()
{
    QIcon icon;
    for (QDirIterator it(QStringLiteral(":/icons")); it.hasNext();)
        icon.addFile(it.next());
    return icon;
}

// Runs `then` `delayMs` after the window it watches has been painted for the first time: what
// the learner does not need to see the start screen waits until it shows.
class AfterFirstPaint final : public QObject {
public:
    AfterFirstPaint(QWidget* window, int delayMs, std::function<void()> then)
        : QObject(window)
        , delayMs_(delayMs)
        , then_(std::move(then))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && then_) {
            QTimer::singleShot(delayMs_, qApp, std::exchange(then_, {}));
            watched->removeEventFilter(this);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int delayMs_;
    std::function<void()> then_;
};

} // namespace

int main(int argc, char** argv)
{
    // `kvarton --summary OUT.xlsx FILE_OR_FOLDER…` needs no window and no display.
    if (argc > 1 && std::strcmp(argv[1], "--summary") == 0) {
#ifdef Q_OS_WIN
        // A windowed program has no console of its own: unless its standard error was redirected
        // to a file or a pipe, the messages go to the console it was run from, in UTF-8 while it
        // runs, so that the Russian letters show.
        const HANDLE given = GetStdHandle(STD_ERROR_HANDLE);
        UINT consoleCodePage = 0;
        if ((given == nullptr || given == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)
            && std::freopen("CONOUT$", "w", stderr)) {
            consoleCodePage = GetConsoleOutputCP();
            SetConsoleOutputCP(CP_UTF8);
        }
#endif
        int status = 0;
        {
            QCoreApplication app(argc, argv);
            kvarton::useFileNotationForNumbers();
            status = kvarton::runSummaryCommand(QCoreApplication::arguments().mid(2));
        }
#ifdef Q_OS_WIN
        std::fflush(stderr);
        if (consoleCodePage != 0)
            SetConsoleOutputCP(consoleCodePage);
#endif
        return status;
    }
    QApplication app(argc, argv);
    // The application object took the locale from the environment: the numbers of the workbooks
    // must not follow it (numeric_locale.h). The screens format their numbers themselves.
    kvarton::useFileNotationForNumbers();
    QApplication::setApplicationName(QStringLiteral("kvarton"));
    QApplication::setApplicationDisplayName(QStringLiteral("Квартон"));
    // Lets the desktop match the window to the installed menu entry and its icon (the Wayland app id).
    QApplication::setDesktopFileName(QStringLiteral(KVARTON_APP_ID));
    kvarton::Wizard wizard(kvarton::savedWorksFolder());
    QObject::connect(&wizard, &kvarton::Wizard::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    // For the start-up benchmark: the program ends once its first window has been painted.
    if (kvarton::testSwitches::exitAfterFirstPaint())
        new AfterFirstPaint(wizard.window(), 0, [] { QCoreApplication::quit(); });
    // Reading the six pictures of the icon takes as long as painting the start screen: the icon
    // follows the window a moment later.
    new AfterFirstPaint(wizard.window(), 50, [] { QApplication::setWindowIcon(applicationIcon()); });
    wizard.start();
    // `kvarton FILE.xlsx` opens a report: its figures at once, or why not, on the start screen
    // and on standard error.
    if (const QStringList files = QApplication::arguments().mid(1); !files.isEmpty())
        if (const auto problem = wizard.openReport(files.first()))
            std::fprintf(stderr, "%s\n", problem->toUtf8().constData());
    return QApplication::exec();
}
