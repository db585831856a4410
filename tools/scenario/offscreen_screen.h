#pragma once

#include <QTemporaryFile>

#include <span>

namespace kvarton {

// A screen of Qt's offscreen platform: its size in the display's pixels and its resolution, whose
// ratio to 96 dpi is the display's scaling (144 dpi: 150 %, a 1920×1040 screen shows 1280×693).
struct OffscreenScreen {
    const char* name;
    int width;
    int height;
    int dpi = 96;
};

// Unless a platform is chosen already, runs Qt offscreen on these screens, side by side, the
// first the primary one. The file keeps their description and must live until the application
// object is made.
void useOffscreenScreens(QTemporaryFile& config, std::span<const OffscreenScreen> screens);

// The same on one screen the size of a common laptop's (1366×768 at 96 dpi), so that pictures and
// timings are alike on every machine.
void useOffscreenLaptopScreen(QTemporaryFile& config);

} // namespace kvarton
