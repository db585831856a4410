#include "wizard/main_window.h"
#include "wizard/wizard.h"

#include <QApplication>
#include <QDirIterator>
#include <QEvent>
#include <QIcon>
#include <QTimer>

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

// For the start-up benchmark: ends the program once its first window has been painted.
class QuitAfterFirstPaint final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvarton"));
    QApplication::setApplicationDisplayName(QStringLiteral("Квартон"));
    // Lets the desktop match the window to the installed menu entry and its icon (the Wayland app id).
    QApplication::setDesktopFileName(QStringLiteral(KVARTON_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    kvarton::Wizard wizard;
    QObject::connect(&wizard, &kvarton::Wizard::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    QuitAfterFirstPaint quitAfterPaint;
    if (qEnvironmentVariableIsSet("KVARTON_EXIT_AFTER_FIRST_PAINT"))
        wizard.window()->installEventFilter(&quitAfterPaint);
    wizard.start();
    return QApplication::exec();
}
