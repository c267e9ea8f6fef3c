#pragma once

#include <QRect>
#include <QSize>

// The windows of this folder were laid out in twips (1/1440 inch); Qt places widgets in
// device-independent pixels, 15 twips to the pixel.
inline constexpr int TwipsPerPixel = 15;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr int pixelsFromTwips(int twips) {
    return twips / TwipsPerPixel;
}

constexpr QSize pixelsFromTwips(int width, int height) {
    return {pixelsFromTwips(width), pixelsFromTwips(height)};
}

constexpr QRect pixelsFromTwips(const TwipsRect &area) {
    return {pixelsFromTwips(area.left), pixelsFromTwips(area.top), pixelsFromTwips(area.width),
            pixelsFromTwips(area.height)};
}
