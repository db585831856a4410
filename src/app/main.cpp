#include "console_command.h"

#include "model/numeric_locale.h"
#include "wizard/main_window.h"
#include "wizard/test_switches.h"
#include "wizard/wizard.h"
#include "wizard/work_keeper.h"

#include <QApplication>
#include <QDirIterator>
#include <QEvent>
#include <QIcon>
#include <QTimer>

#include <cstdio>
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
    // --summary, --help, --version and a mistaken option need no window and no display.
    const kvarton::cli::Command command = kvarton::cli::parse(kvarton::commandLineArguments(argc, argv));
    if (kvarton::cli::needsNoWindow(command.mode))
        return kvarton::runWithoutWindow(command, argc, argv, kvarton::Streams::ParentConsole);
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
    if (!command.paths.empty())
        if (const auto problem = wizard.openReport(QString::fromStdString(command.paths.front())))
            std::fprintf(stderr, "%s\n", problem->toUtf8().constData());
    return QApplication::exec();
}
