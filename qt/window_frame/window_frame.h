#pragma once

#include <QMargins>

class QWindow;

namespace platform {

// The frame that the window manager will draw around a window that has been created but not yet
// shown, in device-independent pixels. Windows are placed and centred by their outer corner and
// size, and a window manager draws its frame only once a window is shown, which is too late.
// Null when there is no window manager or it cannot say.
QMargins frameMarginsBeforeShowing(QWindow &window);

} // namespace platform
