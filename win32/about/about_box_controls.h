#pragma once

#include <windows.h>

// The About box's controls by role, as tests and accessibility tools find them. The close button
// is the dialog's OK, so that Enter presses it.
enum AboutBoxControl : int {
    PanelId = 100,
    ProgramNameId,
    VersionId,
    LogoId,
    CloseButtonId = IDOK,
};
