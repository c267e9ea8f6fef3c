#include "qt/msgbox/message_box.h"

#include "qt/msgbox/message_box_dialog.h"

#include <QPointer>

MessageAnswer showMessage(const Message &message, QWidget *owner) {
    // The owner may be destroyed while the box is open and take the box with it; the guard keeps
    // us from deleting it a second time, and exec() then reports a plain close.
    QPointer<MessageBoxDialog> box = new MessageBoxDialog(message, owner);
    const int answer = box->exec();
    delete box.data();
    return MessageAnswer(answer);
}
