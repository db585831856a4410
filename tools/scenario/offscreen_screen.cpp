#include "offscreen_screen.h"

#include <QDir>

namespace kvarton {

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
    // Qt reads the platform as UTF-8 from the narrow environment, which keeps these bytes as
    // they are: the ANSI code page of Windows could not carry a Cyrillic temporary folder.
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
}

} // namespace kvarton
