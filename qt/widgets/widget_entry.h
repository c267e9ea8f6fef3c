#pragma once

#include "core/document/message.h"
#include "core/editor/editor_start.h"

class QCoreApplication;

// The widget library's entry points, which start-up finds by these names once it has loaded the
// library. They are all the library shows of itself, and what crosses them is the core's own.
namespace WidgetEntry {

// The library's file in the program folder.
#ifdef _WIN32
inline constexpr char LibraryFileName[] = "runvoy-widgets.dll";
#else
inline constexpr char LibraryFileName[] = "librunvoy-widgets.so";
#endif

// Makes the widget application object, which must outlive every window; argc with it.
using CreateApplication = QCoreApplication *(*)(int *argc, char **argv);
inline constexpr char CreateApplicationName[] = "runvoyCreateApplication";

// Ends it again, before the program ends, so that the toolkit lets go of all it holds.
using DestroyApplication = void (*)(QCoreApplication *application);
inline constexpr char DestroyApplicationName[] = "runvoyDestroyApplication";

// Shows the message box with no window behind it and returns the answer.
using ShowMessage = MessageAnswer (*)(const Message *message);
inline constexpr char ShowMessageName[] = "runvoyShowMessage";

// Opens the editor and returns the program's exit status once the editor has been closed.
using RunEditor = int (*)(const EditorServices *services, const EditorStart *start);
inline constexpr char RunEditorName[] = "runvoyRunEditor";

} // namespace WidgetEntry
