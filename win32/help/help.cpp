#include "win32/help/help.h"

#include "platform/path_text.h"
#include "win32/msgbox/message_box.h"

#include <htmlhelp.h>

namespace Help {

namespace {

using HtmlHelpFunction = HWND(WINAPI *)(HWND, LPCWSTR, UINT, DWORD_PTR);

// The help viewer's library, loaded on the first request: there is no import library for it, and
// a program that never shows help never loads it.
HtmlHelpFunction htmlHelp() {
    static const HtmlHelpFunction function = [] {
        const HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
        return viewer ? reinterpret_cast<HtmlHelpFunction>(
                            reinterpret_cast<void *>(GetProcAddress(viewer, "HtmlHelpW")))
                      : nullptr;
    }();
    return function;
}

bool opened = false;

} // namespace

std::filesystem::path helpFilePath(const std::filesystem::path &programFolder) {
    return programFolder / L"Runvoy.chm";
}

void showContents(HWND owner, const std::filesystem::path &programFolder) {
    const std::filesystem::path file = helpFilePath(programFolder);
    const HtmlHelpFunction show = htmlHelp();
    if (show && show(owner, file.c_str(), HH_HELP_CONTEXT, ContentsTopic)) {
        opened = true;
        return;
    }
    showMessage({"The help file " + platform::textFromPath(file) + " cannot be shown."}, owner);
}

void close() {
    if (opened)
        htmlHelp()(nullptr, nullptr, HH_CLOSE_ALL, 0);
    opened = false;
}

} // namespace Help
