#pragma once

#include <QTemporaryFile>

namespace kvarton {

// Unless a platform is chosen already, runs Qt offscreen on one screen the size of a common laptop's
// (1366×768 at 96 dpi), so that pictures and timings are alike on every machine. The file keeps the
// screen's description and must live until the application object is made.
void useOffscreenLaptopScreen(QTemporaryFile& config);

} // namespace kvarton
