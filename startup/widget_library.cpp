#include "startup/widget_library.h"

#include "platform/display.h"
#include "platform/path_separator.h"

#include <QLibrary>

#include <cstdio>

using namespace Qt::StringLiterals;

WidgetLibrary::WidgetLibrary(int &argc, char **argv, QString programFolder)
    : argc_(argc), argv_(argv), programFolder_(std::move(programFolder)) {}

WidgetLibrary::~WidgetLibrary() = default;

void WidgetLibrary::startWithoutWidgets() {
    application_ = std::make_unique<QCoreApplication>(argc_, argv_);
}

void WidgetLibrary::setApplicationHandOver(std::function<void()> leaving,
                                           std::function<void()> joined) {
    leaving_ = std::move(leaving);
    joined_ = std::move(joined);
}

bool WidgetLibrary::bringUp() {
    if (showMessage_)
        return true;
    if (!platform::windowsCanBeShown()) {
        std::fprintf(stderr, "runvoy: cannot show any window: there is no display\n");
        return false;
    }
    // Named by its full path: only the program's own library is ever loaded. It stays loaded
    // until the program ends.
    QLibrary library(programFolder_ + platform::PathSeparator +
                     QLatin1String(WidgetEntry::LibraryBaseName));
    const auto createApplication = reinterpret_cast<WidgetEntry::CreateApplication>(
        library.resolve(WidgetEntry::CreateApplicationName));
    const auto showMessage =
        reinterpret_cast<WidgetEntry::ShowMessage>(library.resolve(WidgetEntry::ShowMessageName));
    const auto runEditor =
        reinterpret_cast<WidgetEntry::RunEditor>(library.resolve(WidgetEntry::RunEditorName));
    if (!createApplication || !showMessage || !runEditor) {
        std::fprintf(stderr, "runvoy: cannot show any window: %s\n",
                     qPrintable(library.errorString()));
        return false;
    }
    const bool replacing = application_ != nullptr;
    if (replacing && leaving_)
        leaving_();
    application_.reset();
    application_.reset(createApplication(&argc_, argv_));
    if (replacing && joined_)
        joined_();
    showMessage_ = showMessage;
    runEditor_ = runEditor;
    return true;
}

int WidgetLibrary::message(const QString &prompt, const QString &buttons, const QString &title) {
    if (!bringUp()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(prompt));
        return 0;
    }
    return showMessage_(&prompt, &buttons, &title);
}

int WidgetLibrary::runEditor(const EditorServices &services, const EditorStart &start) {
    if (!bringUp())
        return 1;
    return runEditor_(&services, &start);
}
