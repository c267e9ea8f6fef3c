#pragma once

#include <QRect>
#include <QSize>
#include <QtNumeric>

// Window measures are designed in twips (1/1440 inch); Qt places widgets in device-independent
// pixels, 15 twips to one.
inline constexpr int TwipsPerPixel = 15;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr int twipsToPixels(double twips) {
    return qRound(twips / TwipsPerPixel);
}

constexpr QSize toPixels(int widthTwips, int heightTwips) {
    return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

constexpr QRect toPixels(const TwipsRect &r) {
    return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
            twipsToPixels(r.height)};
}
