#pragma once

// Window measures are designed in twips (1/1440 inch). Every front-end places its controls in
// device-independent pixels of 96 to the inch: 15 twips to one.
inline constexpr int TwipsPerPixel = 15;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The nearest whole pixel, halves away from zero.
constexpr int twipsToPixels(double twips) {
    const double pixels = twips / TwipsPerPixel;
    return pixels >= 0 ? int(pixels + 0.5) : int(pixels - 0.5);
}
