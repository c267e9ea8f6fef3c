#pragma once

#include "core/layout/twips.h"

#include <array>

// The message box's measures as designed, in twips.
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

// Indexed by the number of buttons less one: 120 margins, 225 gaps, and a single button centred
// in the 4335-wide lower panel.
inline constexpr std::array<ButtonRow, 3> ButtonRows{{
    {1695, {1320}},
    {1935, {120, 2280}},
    {1215, {120, 1560, 3000}},
}};

} // namespace MessageBoxGeometry
