#include "msgbox/mb.h"

#include "msgbox/mb_dialog.h"

#include <QPointer>

void Mb::Show(QWidget *owner) {
    mbResponse = 0;
    // The owner may be destroyed while the box is open and take the box with it; the guard keeps
    // us from deleting it a second time, and exec() then reports a plain close.
    QPointer<MbDialog> box = new MbDialog(mbPrompt, mbButtons, mbTitle, owner);
    const int answer = box->exec();
    delete box.data();
    mbResponse = static_cast<qint16>(answer);
}
