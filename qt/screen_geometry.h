#pragma once

#include "core/layout/twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The designed measures in twips as Qt's device-independent pixels, and where a window goes to
// stand in the middle of a screen.

constexpr QSize toPixels(int widthTwips, int heightTwips) {
    return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

constexpr QRect toPixels(const TwipsRect &r) {
    return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
            twipsToPixels(r.height)};
}

// The top-left corner that centres a window of the given outer size on a screen.
inline QPoint centredOn(const QRect &screen, const QSize &outer) {
    return screen.topLeft() +
           QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
}
