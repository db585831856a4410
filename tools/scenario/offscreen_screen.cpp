#include "offscreen_screen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

void useOffscreenScreens(QTemporaryFile& config, std::span<const OffscreenScreen> screens)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    config.setFileTemplate(QDir::tempPath() + QStringLiteral("/kvarton-screen-XXXXXX.json"));
    if (!config.open())
        return;
    QJsonArray described;
    int x = 0;
    for (const OffscreenScreen& s : screens) {
        described.append(QJsonObject{{QStringLiteral("name"), QString::fromLatin1(s.name)}, {QStringLiteral("x"), x},
            {QStringLiteral("y"), 0}, {QStringLiteral("width"), s.width}, {QStringLiteral("height"), s.height},
            {QStringLiteral("logicalDpi"), s.dpi}, {QStringLiteral("logicalBaseDpi"), 96}, {QStringLiteral("dpr"), 1}});
        x += s.width;
    }
    config.write(QJsonDocument(QJsonObject{{QStringLiteral("screens"), described}}).toJson());
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

void useOffscreenLaptopScreen(QTemporaryFile& config)
{
    const OffscreenScreen laptop[]{{"laptop", 1366, 768}};
    useOffscreenScreens(config, laptop);
}

} // namespace kvarton
