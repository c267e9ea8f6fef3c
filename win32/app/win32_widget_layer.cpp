#include "win32/app/win32_widget_layer.h"

#include "win32/editor/editor_window.h"
#include "win32/msgbox/message_box.h"

MessageAnswer Win32WidgetLayer::message(const Message &message) {
    return showMessage(message, nullptr);
}

int Win32WidgetLayer::runEditor(const EditorServices &services, const EditorStart &start) {
    return runEditorWindow(services, start);
}
