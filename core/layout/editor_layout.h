#pragma once

#include "core/layout/twips.h"

// Where the editor's controls sit, in twips relative to their container: one table for every
// front-end.
namespace EditorLayout {

inline constexpr int ClientWidth = 8640;
inline constexpr int ClientHeight = 3585;

inline constexpr TwipsRect Toolbar{0, 0, 8640, 660};
inline constexpr TwipsRect RowsFrame{120, 600, 8415, 2895};
inline constexpr TwipsRect NameLabel{240, 360, 495, 255};
inline constexpr TwipsRect NameEdit{840, 360, 3855, 285};
inline constexpr TwipsRect DelayHeading{240, 720, 495, 255};
inline constexpr TwipsRect PathHeading{840, 720, 3855, 255};
inline constexpr TwipsRect BrowseHeading{4800, 720, 855, 255};
inline constexpr TwipsRect StateHeading{5880, 720, 1095, 255};
inline constexpr TwipsRect ClearHeading{7305, 720, 375, 255};
inline constexpr TwipsRect MoveFrame{7800, 120, 495, 2655};
inline constexpr TwipsRect MoveUpButton{120, 135, 255, 255};
inline constexpr TwipsRect MoveDownButton{120, 435, 255, 255};

// The largest font, in points, whose texts the fixed-height fields show whole.
inline constexpr double LargestFontPoints = 9;

// The toolbar's buttons fit a 32 by 32 picture.
inline constexpr int ToolButtonWidthPixels = 39;
inline constexpr int ToolButtonHeightPixels = 38;

inline constexpr int rowTop(int row) {
    return 960 + 360 * row;
}

inline constexpr TwipsRect DelayEdit(int row) {
    return {240, rowTop(row), 495, 285};
}
inline constexpr TwipsRect PathEdit(int row) {
    return {840, rowTop(row), 3855, 285};
}
inline constexpr TwipsRect BrowseFileButton(int row) {
    return {4800, rowTop(row), 375, 255};
}
inline constexpr TwipsRect BrowseFolderButton(int row) {
    return {5280, rowTop(row), 375, 255};
}
inline constexpr TwipsRect StateCombo(int row) {
    return {5880, rowTop(row), 1215, 315};
}
inline constexpr TwipsRect ClearButton(int row) {
    return {7320, rowTop(row), 375, 255};
}
// The move frame sits 120 twips down in the rows frame, so its selectors line up with the rows.
inline constexpr TwipsRect RowSelector(int row) {
    return {120, 840 + 360 * row, 255, 255};
}

} // namespace EditorLayout
