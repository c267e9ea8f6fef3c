#include "widgets/widget_entry.h"

#include "editor/form1.h"
#include "msgbox/mb.h"

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

Q_DECL_EXPORT int runvoyShowMessage(const QString *prompt, const QString *buttons,
                                    const QString *title) {
    Mb box;
    box.mbPrompt = *prompt;
    box.mbButtons = *buttons;
    box.mbTitle = *title;
    box.Show(nullptr);
    return box.mbResponse;
}

Q_DECL_EXPORT int runvoyRunEditor(const Form1Services *services, const EditorStart *start) {
    Form1 form(*services);
    QObject::connect(&form, &Form1::unloaded, qApp, &QCoreApplication::quit);
    form.Form_Load(*start);
    form.show();
    return QApplication::exec();
}

} // extern "C"

static_assert(std::is_same_v<decltype(&runvoyCreateApplication), WidgetEntry::CreateApplication>);
static_assert(std::is_same_v<decltype(&runvoyShowMessage), WidgetEntry::ShowMessage>);
static_assert(std::is_same_v<decltype(&runvoyRunEditor), WidgetEntry::RunEditor>);
