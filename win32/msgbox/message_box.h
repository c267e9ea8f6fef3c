#pragma once

#include "core/document/message.h"

#include <windows.h>

// Shows the program's own message box and returns when it has closed: the answer of the button
// pressed, or Closed when the box was closed with its close button or Esc. Over owner it is modal
// to owner; without one (a run shows no window) it stays on top of every window so that it is
// not missed. Either way it opens in the middle of the screen.
MessageAnswer showMessage(const Message &message, HWND owner);
