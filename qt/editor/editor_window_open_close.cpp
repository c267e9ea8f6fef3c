#include "core/editor/window_position.h"
#include "qt/about/help.h"
#include "qt/editor/editor_window.h"
#include "qt/qt_text.h"
#include "qt/window_frame/window_frame.h"

#include <QCloseEvent>
#include <QScreen>

void EditorWindow::load(const EditorStart &start) {
    Help::prepare(this, qtPath(services_.programFolder));
    placeWindow(start);
    logic_->start(start);
}

// The stored position is the frame's corner, and centring goes by the outer size.
void EditorWindow::placeWindow(const EditorStart &start) {
    // Made now, while hidden, so that the window manager can tell the frame it will draw.
    create();
    const QMargins frame = platform::frameMarginsBeforeShowing(*windowHandle());
    const QSize outer = size().grownBy(frame);
    const QRect screenArea = screen()->geometry();
    QPoint corner = frameGeometry().topLeft();
    if (const std::optional<int> y = cornerAlong(start.top, screenArea.height(), outer.height()))
        corner.setY(*y);
    if (const std::optional<int> x = cornerAlong(start.left, screenArea.width(), outer.width()))
        corner.setX(*x);
    setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
}

void EditorWindow::closeEvent(QCloseEvent *event) {
    if (!logic_->maybeSave()) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}

// The position is kept for the next start only when the window stands at one.
void EditorWindow::unload() {
    Help::close();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        const QRect frame = frameGeometry();
        services_.settings->setPosition(cornerTwips(frame.y()), cornerTwips(frame.x()));
    }
    unloaded_ = true;
    emit unloaded();
}
