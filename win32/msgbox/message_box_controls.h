#pragma once

// The message box's controls by role, as tests and accessibility tools find them.
enum MessageBoxControl : int {
    UpperPanelId = 100,
    NoteIconId,
    PromptTextId,
    LowerPanelId,
    FirstButtonId = 110, // and the next two, in the order of the buttons
};
