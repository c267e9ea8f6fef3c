#pragma once

#include "core/startup/widget_layer.h"
#include "platform/shared_library.h"
#include "qt/widgets/widget_entry.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

// The windows as the program's own library, loaded from the program folder on first need, so
// that a run with nothing to say never loads a toolkit.
class WidgetLibrary : public WidgetLayer {
public:
    WidgetLibrary(int &argc, char **argv, std::filesystem::path programFolder);
    ~WidgetLibrary() override;
    WidgetLibrary(const WidgetLibrary &) = delete;
    WidgetLibrary &operator=(const WidgetLibrary &) = delete;

    // Loads the library and makes the toolkit's application object. When no window can be shown
    // or the library cannot be loaded, says why on the error output, once, and returns false.
    bool bringUp();

    MessageAnswer message(const Message &message) override;
    int runEditor(const EditorServices &services, const EditorStart &start) override;

private:
    int &argc_;
    char **argv_;
    std::filesystem::path programFolder_;
    std::unique_ptr<platform::SharedLibrary> library_;
    std::optional<std::string> failure_; // why no window can be shown, once known
    QCoreApplication *application_ = nullptr;
    WidgetEntry::DestroyApplication destroyApplication_ = nullptr;
    WidgetEntry::ShowMessage showMessage_ = nullptr;
    WidgetEntry::RunEditor runEditor_ = nullptr;
};
