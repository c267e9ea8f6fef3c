#include "qt/msgbox/message_box.h"

#include "qt/msgbox/message_box_dialog.h"

#include <QPointer>

void MessageBox::show(QWidget *owner) {
    response = 0;
    // The owner may be destroyed while the box is open and take the box with it; the guard keeps
    // us from deleting it a second time, and exec() then reports a plain close.
    QPointer<MessageBoxDialog> box = new MessageBoxDialog(prompt, buttons, title, owner);
    const int answer = box->exec();
    delete box.data();
    response = static_cast<qint16>(answer);
}
