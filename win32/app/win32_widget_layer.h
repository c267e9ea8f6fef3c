#pragma once

#include "core/startup/widget_layer.h"

// The windows that start-up shows on Windows: the message box, alone on top of every window
// while a batch runs, and the editor.
class Win32WidgetLayer final : public WidgetLayer {
public:
    MessageAnswer message(const Message &message) override;
    int runEditor(const EditorServices &services, const EditorStart &start) override;
};
