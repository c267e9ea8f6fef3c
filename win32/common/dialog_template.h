#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A dialog template without controls, built in memory: each dialog makes its own controls when it
// starts, at the twips of the core's layout and the DPI of the monitor it comes up on.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, DWORD extendedStyle, const std::wstring &title);

    const DLGTEMPLATE *get() const { return reinterpret_cast<const DLGTEMPLATE *>(words.data()); }

private:
    std::vector<WORD> words;
};

// The object that a dialog's procedure was started with, kept with the dialog from WM_INITDIALOG
// on; null before.
template <typename Dialog> Dialog *dialogObject(HWND dialog, UINT message, LPARAM parameter) {
    if (message == WM_INITDIALOG)
        SetWindowLongPtrW(dialog, DWLP_USER, parameter);
    return reinterpret_cast<Dialog *>(GetWindowLongPtrW(dialog, DWLP_USER));
}
