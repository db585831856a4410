#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace kvarton {

// Gives a window the wanted size as far as the free area of its screen (`free`, without the task
// bar) leaves room for it and its frame, and stands its frame centred on `centre`, within that area.
void placeWithin(QWidget& window, QSize wanted, const QRect& free, QPoint centre);

} // namespace kvarton
