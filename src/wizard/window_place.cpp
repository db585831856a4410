#include "window_place.h"

#include <QWidget>

#include <algorithm>

namespace kvarton {

namespace {

// What a window's frame and title bar take around it; before the window has a frame, the area
// leaves this much room.
constexpr QSize kFrameRoom(16, 48);

int within(int start, int length, int freeStart, int freeLength)
{
    return std::clamp(start, freeStart, std::max(freeStart, freeStart + freeLength - length));
}

} // namespace

void placeWithin(QWidget& window, QSize wanted, const QRect& free, QPoint centre)
{
    window.resize(wanted.boundedTo(free.size() - kFrameRoom));
    // A window's position is its frame's: once the window has a frame, the frame is placed.
    const QSize framed = window.size() + (window.frameGeometry().size() - window.geometry().size());
    const QPoint corner = centre - QPoint(framed.width() / 2, framed.height() / 2);
    window.move(within(corner.x(), framed.width(), free.x(), free.width()),
        within(corner.y(), framed.height(), free.y(), free.height()));
}

} // namespace kvarton
