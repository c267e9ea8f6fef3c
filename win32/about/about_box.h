#pragma once

#include <windows.h>

// Shows the About box modally over owner: the name, the version and the logo, closed with
// "&Close", Enter, Esc or Alt+C.
void showAbout(HWND owner);
