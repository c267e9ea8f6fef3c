#pragma once

#include <QRect>

// Window measures are kept in twips, 15 to a device-independent pixel.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(double twips) {
    return qRound(twips / TwipsPerPixel);
}

inline QRect toPixels(const TwipsRect &r) {
    return QRect(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
                 twipsToPixels(r.height));
}
