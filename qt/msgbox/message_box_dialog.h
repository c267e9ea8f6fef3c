#pragma once

#include "core/document/message.h"

#include <QDialog>

// The message box's window: a note icon, the prompt and one to three buttons, laid out once at
// construction. exec() returns the MessageAnswer of the button clicked, or Closed (QDialog's
// Rejected) when the box was closed by its close button or Esc.
class MessageBoxDialog : public QDialog {
    Q_OBJECT

public:
    MessageBoxDialog(const Message &message, QWidget *owner);

private:
    Q_DISABLE_COPY_MOVE(MessageBoxDialog)
};

static_assert(int(MessageAnswer::Closed) == QDialog::Rejected);
