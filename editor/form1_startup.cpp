#include "about/context_ids.h"
#include "document/placement.h"
#include "editor/form1.h"
#include "platform/twips.h"

#include <QScreen>

void Form1::Form_Load(const EditorStart &start) {
    ContextIDs::InitHelp(this, services_.programFolder);
    placeWindow(start);
    OutputFolder = start.outputFolder;
    for (int i = 0; i < RowCount; ++i)
        selectState(i, 0);
    if (start.batchToEdit)
        LoadBatch(*start.batchToEdit);
}

// A coordinate that is stored but unusable has been reported by start-up: the window stays where
// it was created along that axis.
void Form1::placeWindow(const EditorStart &start) {
    // Made now, while hidden, so that the platform can tell the frame around it where it knows
    // it: centring goes by the outer size.
    create();
    const QRect screenArea = screen()->geometry();
    if (start.top.kind != StoredCoordinate::Unusable) {
        const int fallback = centredPosition(screenArea.height() * double(TwipsPerPixel),
                                             frameGeometry().height() * double(TwipsPerPixel));
        const double stored =
            start.top.kind == StoredCoordinate::Twips ? start.top.twips : fallback;
        move(x(), twipsToPixels(stored));
    }
    if (start.left.kind != StoredCoordinate::Unusable) {
        const int fallback = centredPosition(screenArea.width() * double(TwipsPerPixel),
                                             frameGeometry().width() * double(TwipsPerPixel));
        const double stored =
            start.left.kind == StoredCoordinate::Twips ? start.left.twips : fallback;
        move(twipsToPixels(stored), y());
    }
}

void Form1::Form_Unload() {
    ContextIDs::QuitHelp();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        const QRect frame = frameGeometry();
        services_.settings->setPosition(frame.y() * TwipsPerPixel, frame.x() * TwipsPerPixel);
    }
    unloaded_ = true;
    emit unloaded();
}
