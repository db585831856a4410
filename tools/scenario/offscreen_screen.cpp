#include "offscreen_screen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kvarton {

namespace {

#ifdef Q_OS_WIN
// The working folder the screen's description was written from, returned to once the application
// object has read it.
QString& workingFolderBefore()
{
    static QString folder;
    return folder;
}

void returnToWorkingFolder() { QDir::setCurrent(workingFolderBefore()); }
#endif

} // namespace

void useOffscreenLaptopScreen(QTemporaryFile& config)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    config.setFileTemplate(QDir::tempPath() + QStringLiteral("/kvarton-screen-XXXXXX.json"));
    if (!config.open())
        return;
    config.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.flush();
    QString path = config.fileName();
#ifdef Q_OS_WIN
    // Qt splits the platform's arguments at every colon, the drive's too: the description is named
    // from the temporary folder, made the working folder until the application object has read it
    // (a routine that object calls when made).
    workingFolderBefore() = QDir::currentPath();
    QDir::setCurrent(QFileInfo(path).absolutePath());
    path = QFileInfo(path).fileName();
    qAddPreRoutine(returnToWorkingFolder);
#endif
    // Qt reads the platform as UTF-8 from the narrow environment, which keeps these bytes as
    // they are: the ANSI code page of Windows could not carry a Cyrillic temporary folder.
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toUtf8());
}

} // namespace kvarton
