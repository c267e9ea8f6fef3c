#include "core/document/placement.h"
#include "platform/twips.h"
#include "qt/about/help.h"
#include "qt/editor/editor_window.h"
#include "qt/window_frame/window_frame.h"

#include <QScreen>

void EditorWindow::load(const EditorStart &start) {
    Help::prepare(this, services_.programFolder);
    placeWindow(start);
    outputFolder = start.outputFolder;
    for (int i = 0; i < RowCount; ++i)
        selectState(i, 0);
    if (start.batchToEdit)
        LoadBatch(*start.batchToEdit);
}

// A coordinate that is stored but unusable has been reported by start-up: the window stays where
// it was created along that axis.
void EditorWindow::placeWindow(const EditorStart &start) {
    // Made now, while hidden, so that the window manager can tell the frame it will draw: the
    // stored position is the frame's corner, and centring goes by the outer size.
    create();
    const QMargins frame = platform::frameMarginsBeforeShowing(*windowHandle());
    const QSize outer = size().grownBy(frame);
    const QRect screenArea = screen()->geometry();
    QPoint corner = frameGeometry().topLeft();
    if (start.top.kind != StoredCoordinate::Unusable) {
        const int fallback = centredPosition(screenArea.height() * double(TwipsPerPixel),
                                             outer.height() * double(TwipsPerPixel));
        const double stored =
            start.top.kind == StoredCoordinate::Twips ? start.top.twips : fallback;
        corner.setY(twipsToPixels(stored));
    }
    if (start.left.kind != StoredCoordinate::Unusable) {
        const int fallback = centredPosition(screenArea.width() * double(TwipsPerPixel),
                                             outer.width() * double(TwipsPerPixel));
        const double stored =
            start.left.kind == StoredCoordinate::Twips ? start.left.twips : fallback;
        corner.setX(twipsToPixels(stored));
    }
    setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
}

void EditorWindow::unload() {
    Help::close();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        const QRect frame = frameGeometry();
        services_.settings->setPosition(frame.y() * TwipsPerPixel, frame.x() * TwipsPerPixel);
    }
    unloaded_ = true;
    emit unloaded();
}
