#pragma once

#include "qt/editor/editor_start.h"

#include <QString>

// The windows that start-up may have to show: the message box and the editor.
class WidgetLayer {
public:
    virtual ~WidgetLayer() = default;

    // Shows the message box and returns the number of the button pressed, 0 when it was closed
    // otherwise.
    virtual int message(const QString &prompt, const QString &buttons, const QString &title) = 0;

    // Opens the editor and returns the program's exit status once it has been closed.
    virtual int runEditor(const EditorServices &services, const EditorStart &start) = 0;
};
