#pragma once

#include "platform/twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// The box's measures as designed, in twips (15 to a device-independent pixel), and the one place
// where they become pixels.
namespace MessageBoxGeometry {

// The box's inner area; the window frame comes on top of it.
inline constexpr int InnerWidth = 4560;
inline constexpr int InnerHeight = 1920;

inline constexpr TwipsRect UpperPanel{120, 0, 4335, 1095};
inline constexpr TwipsRect NoteIcon{120, 360, 480, 480};    // inside the upper panel
inline constexpr TwipsRect PromptArea{720, 240, 3495, 735}; // inside the upper panel
inline constexpr TwipsRect LowerPanel{120, 1080, 4335, 735};

// Every button shares the top and height; left and width depend on how many buttons there are.
inline constexpr int ButtonTop = 240;
inline constexpr int ButtonHeight = 375;

struct ButtonRow {
    int width = 0;
    std::array<int, 3> lefts{};
};

// Indexed by the number of separators counted (0, 1 or 2): 120 margins, 225 gaps, and a single
// button centred in the 4335-wide lower panel.
inline constexpr std::array<ButtonRow, 3> ButtonRows{{
    {1695, {1320}},
    {1935, {120, 2280}},
    {1215, {120, 1560, 3000}},
}};

inline QSize innerSize() {
    return toPixels(InnerWidth, InnerHeight);
}

// Top-left corner that centres a window of the given outer size on a screen.
inline QPoint centredPosition(const QRect &screen, const QSize &outer) {
    return screen.topLeft() +
           QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
}

} // namespace MessageBoxGeometry
