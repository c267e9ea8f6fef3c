#include "startup/widget_library.h"

#include "platform/display.h"

#include <cstdio>

namespace {

// Written whole, a NUL inside included, so that nothing of the message is lost.
void writeOut(const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace

WidgetLibrary::WidgetLibrary(int &argc, char **argv, std::filesystem::path programFolder)
    : argc_(argc), argv_(argv), programFolder_(std::move(programFolder)) {}

WidgetLibrary::~WidgetLibrary() {
    if (application_)
        destroyApplication_(application_);
}

bool WidgetLibrary::bringUp() {
    if (showMessage_)
        return true;
    if (failure_)
        return false;
    // The toolkit would end the program on a display it cannot reach.
    if (std::optional<std::string> why = platform::whyNoWindowCanBeShown()) {
        failure_ = *why;
    } else {
        std::string whyNot;
        library_ =
            platform::SharedLibrary::load(programFolder_ / WidgetEntry::LibraryFileName, whyNot);
        const auto createApplication =
            library_ ? reinterpret_cast<WidgetEntry::CreateApplication>(
                           library_->symbol(WidgetEntry::CreateApplicationName))
                     : nullptr;
        if (library_) {
            showMessage_ = reinterpret_cast<WidgetEntry::ShowMessage>(
                library_->symbol(WidgetEntry::ShowMessageName));
            runEditor_ = reinterpret_cast<WidgetEntry::RunEditor>(
                library_->symbol(WidgetEntry::RunEditorName));
            destroyApplication_ = reinterpret_cast<WidgetEntry::DestroyApplication>(
                library_->symbol(WidgetEntry::DestroyApplicationName));
        }
        if (!createApplication || !showMessage_ || !runEditor_ || !destroyApplication_) {
            failure_ = "the installation is damaged: " +
                       (whyNot.empty() ? (programFolder_ / WidgetEntry::LibraryFileName).native() +
                                             " is not Runvoy's window library"
                                       : whyNot) +
                       "; reinstall Runvoy";
            showMessage_ = nullptr;
            runEditor_ = nullptr;
        } else {
            application_ = createApplication(&argc_, argv_);
        }
    }
    if (failure_)
        writeOut("runvoy: cannot show any window: " + *failure_);
    return !failure_;
}

MessageAnswer WidgetLibrary::message(const Message &message) {
    if (!bringUp()) {
        writeOut(message.title + ": " + message.prompt);
        return MessageAnswer::Closed;
    }
    return showMessage_(&message);
}

int WidgetLibrary::runEditor(const EditorServices &services, const EditorStart &start) {
    if (!bringUp())
        return 1;
    return runEditor_(&services, &start);
}
