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
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
}

} // namespace kvarton
