#pragma once

#include "win32/common/picture_ids.h"
#include "win32/editor/editor_controls.h"

#include <array>

// The toolbar: three groups, New Open Save; About Help; Exit, with a gap before the first. A
// button's id less NewButtonId is its EditorCommand.
struct ToolbarEntry {
    int id; // 0 for a gap
    const wchar_t *tip;
    int picture;
};

inline constexpr ToolbarEntry ToolbarGap{0, nullptr, 0};

inline constexpr std::array<ToolbarEntry, 9> ToolbarEntries{{
    ToolbarGap,
    {NewButtonId, L"New", PICTURE_NEW},
    {OpenButtonId, L"Open", PICTURE_OPEN},
    {SaveButtonId, L"Save", PICTURE_SAVE},
    ToolbarGap,
    {AboutButtonId, L"About", PICTURE_ABOUT},
    {HelpButtonId, L"Help", PICTURE_HELP},
    ToolbarGap,
    {ExitButtonId, L"Exit", PICTURE_EXIT},
}};
