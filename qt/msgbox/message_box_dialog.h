#pragma once

#include <QDialog>

// The message box's window: a note icon, the prompt and one to three buttons, laid out once at
// construction. exec() returns the 1-based number of the button clicked, or 0 when the box was
// closed by its close button or Esc.
class MessageBoxDialog : public QDialog {
    Q_OBJECT

public:
    MessageBoxDialog(const QString &prompt, const QString &buttons, const QString &title,
                     QWidget *owner);

private:
    Q_DISABLE_COPY_MOVE(MessageBoxDialog)
};
