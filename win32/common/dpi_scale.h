#pragma once

#include "core/layout/twips.h"

#include <windows.h>

// The designed measures in twips become device pixels at the DPI of the window's monitor:
// 1440 twips to the inch, so 15 to a pixel at 96 DPI and 7.5 at 192.

inline int pixelsAt(int twips, UINT dpi) {
    return MulDiv(twips, int(dpi), 1440);
}

inline int twipsAt(int pixels, UINT dpi) {
    return MulDiv(pixels, 1440, int(dpi));
}

// Pixels of 96 DPI, as the core's pixel measures are given, at dpi.
inline int scaledPixels(int pixels96, UINT dpi) {
    return MulDiv(pixels96, int(dpi), 96);
}

// The rectangle at dpi, moved by origin (in twips): controls are children of the window, while
// the design places them inside frames.
RECT rectAt(const TwipsRect &twips, UINT dpi, POINT originTwips = {0, 0});

// The DPI that the window is drawn at.
UINT dpiOf(HWND window);

// Places the control on rect.
void placeControl(HWND control, const RECT &rect);

// The areas of the monitor that window stands on, the primary monitor's when it stands on none.
MONITORINFO monitorOf(HWND window);
