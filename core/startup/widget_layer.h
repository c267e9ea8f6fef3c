#pragma once

#include "core/document/message.h"
#include "core/editor/editor_start.h"

// The windows that start-up may have to show: the message box and the editor.
class WidgetLayer {
public:
    virtual ~WidgetLayer() = default;

    // Shows the message box with no window behind it and returns the answer.
    virtual MessageAnswer message(const Message &message) = 0;

    // Opens the editor and returns the program's exit status once it has been closed.
    virtual int runEditor(const EditorServices &services, const EditorStart &start) = 0;
};
