#pragma once

#include "core/startup/widget_layer.h"
#include "qt/widgets/widget_entry.h"

#include <QCoreApplication>

#include <functional>
#include <memory>

// The widget layer as the program's own library, loaded from the program folder on first need.
// Bringing it up replaces the core application object with the widget one: the core object is
// destroyed first, so nothing made under it may still exist then.
class WidgetLibrary : public WidgetLayer {
public:
    WidgetLibrary(int &argc, char **argv, QString programFolder);
    ~WidgetLibrary() override;
    WidgetLibrary(const WidgetLibrary &) = delete;
    WidgetLibrary &operator=(const WidgetLibrary &) = delete;

    // A core application object, enough for a run that shows nothing.
    void startWithoutWidgets();

    // Called around the replacement of the core application object, so that what lives on its
    // event loop can let go of it before and take up the widget one after.
    void setApplicationHandOver(std::function<void()> leaving, std::function<void()> joined);

    // Loads the library and makes the widget application object. When the library cannot be
    // loaded, says why on the error output, keeps what there was and returns false.
    bool bringUp();

    int message(const QString &prompt, const QString &buttons, const QString &title) override;
    int runEditor(const EditorServices &services, const EditorStart &start) override;

private:
    int &argc_;
    char **argv_;
    QString programFolder_;
    std::unique_ptr<QCoreApplication> application_;
    std::function<void()> leaving_;
    std::function<void()> joined_;
    WidgetEntry::ShowMessage showMessage_ = nullptr;
    WidgetEntry::RunEditor runEditor_ = nullptr;
};
