#pragma once

#include "platform/twips.h"

#include <QtGlobal>

// Where the editor's controls sit, in twips relative to their container.
namespace EditorLayout {

inline constexpr int ClientWidth = 8640;
inline constexpr int ClientHeight = 3585;

inline constexpr TwipsRect Toolbar1{0, 0, 8640, 660};
inline constexpr TwipsRect Frame1{120, 600, 8415, 2895};
inline constexpr TwipsRect Label1{240, 360, 495, 255};
inline constexpr TwipsRect Text1{840, 360, 3855, 285};
inline constexpr TwipsRect Label4{240, 720, 495, 255};
inline constexpr TwipsRect Label3{840, 720, 3855, 255};
inline constexpr TwipsRect Label7{4800, 720, 855, 255};
inline constexpr TwipsRect Label5{5880, 720, 1095, 255};
inline constexpr TwipsRect Label2{7305, 720, 375, 255};
inline constexpr TwipsRect Frame2{7800, 120, 495, 2655};
inline constexpr TwipsRect Command4Up{120, 135, 255, 255};
inline constexpr TwipsRect Command4Down{120, 435, 255, 255};

// The largest font, in points, whose texts the fixed-height fields show whole.
inline constexpr qreal LargestFontPoints = 9;

// The toolbar's buttons fit a 32 by 32 picture.
inline constexpr int ToolButtonWidthPixels = 39;
inline constexpr int ToolButtonHeightPixels = 38;

inline constexpr int rowTop(int row) {
    return 960 + 360 * row;
}

inline constexpr TwipsRect Text3(int row) {
    return {240, rowTop(row), 495, 285};
}
inline constexpr TwipsRect Text2(int row) {
    return {840, rowTop(row), 3855, 285};
}
inline constexpr TwipsRect Command2(int row) {
    return {4800, rowTop(row), 375, 255};
}
inline constexpr TwipsRect Command3(int row) {
    return {5280, rowTop(row), 375, 255};
}
inline constexpr TwipsRect Combo1(int row) {
    return {5880, rowTop(row), 1215, 315};
}
inline constexpr TwipsRect Command1(int row) {
    return {7320, rowTop(row), 375, 255};
}
// Frame2 sits 120 twips down in Frame1, so its selectors line up with the rows.
inline constexpr TwipsRect Option1(int row) {
    return {120, 840 + 360 * row, 255, 255};
}

} // namespace EditorLayout
