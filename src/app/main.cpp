#include "wizard/wizard.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>

namespace {

// The icon drawn for Kvarton, built in for running from the build tree and on Windows; an
// installed icon theme may replace it.
QIcon applicationIcon()
{
    QIcon builtIn;
    for (QDirIterator it(QStringLiteral(":/icons")); it.hasNext();)
        builtIn.addFile(it.next());
    return QIcon::fromTheme(QStringLiteral(KVARTON_APP_ID), builtIn);
}

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
    wizard.start();
    return QApplication::exec();
}
