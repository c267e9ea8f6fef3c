#include "qt/widgets/widget_entry.h"

#include "qt/editor/editor_window.h"
#include "qt/msgbox/message_box.h"

#include <QApplication>

#include <type_traits>

extern "C" {

Q_DECL_EXPORT QCoreApplication *runvoyCreateApplication(int *argc, char **argv) {
    auto *application = new QApplication(*argc, argv);
    // The program ends when its editor has been unloaded or its run is over, not when the last
    // visible window closes: a run shows nothing but its messages.
    QApplication::setQuitOnLastWindowClosed(false);
    return application;
}

Q_DECL_EXPORT void runvoyDestroyApplication(QCoreApplication *application) {
    delete application;
}

Q_DECL_EXPORT MessageAnswer runvoyShowMessage(const Message *message) {
    return showMessage(*message, nullptr);
}

Q_DECL_EXPORT int runvoyRunEditor(const EditorServices *services, const EditorStart *start) {
    EditorWindow form(*services);
    QObject::connect(&form, &EditorWindow::unloaded, qApp, &QCoreApplication::quit);
    form.load(*start);
    form.show();
    return QApplication::exec();
}

} // extern "C"

static_assert(std::is_same_v<decltype(&runvoyCreateApplication), WidgetEntry::CreateApplication>);
static_assert(std::is_same_v<decltype(&runvoyShowMessage), WidgetEntry::ShowMessage>);
static_assert(std::is_same_v<decltype(&runvoyRunEditor), WidgetEntry::RunEditor>);
static_assert(std::is_same_v<decltype(&runvoyDestroyApplication), WidgetEntry::DestroyApplication>);
