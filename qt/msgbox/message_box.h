#pragma once

#include "core/document/message.h"

class QWidget;

// Shows the program's own message box modally over owner (which may be hidden, or none) and
// returns when it has closed: the answer of the button pressed, or Closed when the box was closed
// otherwise (its close button, Esc, or the owner destroyed while it was open). Each showing lays
// the box out afresh.
MessageAnswer showMessage(const Message &message, QWidget *owner);
