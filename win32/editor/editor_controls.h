#pragma once

// The editor window's class and its controls by role, as tests and accessibility tools find them.
inline constexpr wchar_t EditorWindowClass[] = L"RunvoyEditor";

enum EditorControl : int {
    ToolbarId = 100,
    RowsFrameId,
    NameLabelId,
    NameEditId,
    DelayHeadingId,
    PathHeadingId,
    BrowseHeadingId,
    StateHeadingId,
    ClearHeadingId,
    MoveFrameId,
    MoveUpButtonId,
    MoveDownButtonId,
    // The first row's control of each kind; the next rows' follow it in order.
    DelayEditId = 200,
    PathEditId = 210,
    BrowseFileButtonId = 220,
    BrowseFolderButtonId = 230,
    StateComboId = 240,
    ClearButtonId = 250,
    RowSelectorId = 260,
    // The toolbar's buttons, in the order of the editor's commands.
    NewButtonId = 300,
    OpenButtonId,
    SaveButtonId,
    AboutButtonId,
    HelpButtonId,
    ExitButtonId,
};
