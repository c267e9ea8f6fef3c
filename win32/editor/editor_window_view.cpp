#include "win32/about/about_box.h"
#include "win32/common/wide_text.h"
#include "win32/editor/editor_window.h"
#include "win32/help/help.h"
#include "win32/msgbox/message_box.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace {

// The file dialog's filter: the description with its patterns, then the patterns, each text ended
// by a NUL and the whole by a second. Every file is "*.*" to the dialog.
std::wstring dialogFilter(const FileFilter &filter) {
    std::wstring patterns;
    for (const std::string &pattern : filter.patterns) {
        if (!patterns.empty())
            patterns += L';';
        patterns += pattern == "*" ? L"*.*" : wideText(pattern);
    }
    std::wstring text = wideText(filter.description) + L" (" + patterns + L")";
    text += L'\0';
    text += patterns;
    text += L'\0';
    return text;
}

// The folder browser's new style needs OLE on the thread; a thread that has it keeps it.
class OleOnThread {
public:
    OleOnThread() : result(OleInitialize(nullptr)) {}
    ~OleOnThread() {
        if (SUCCEEDED(result))
            OleUninitialize();
    }
    OleOnThread(const OleOnThread &) = delete;
    OleOnThread &operator=(const OleOnThread &) = delete;

private:
    HRESULT result;
};

} // namespace

// The caret goes to the end of the text shown, where typing goes on.
void EditorWindow::putText(HWND control, const std::string &text) {
    showing = true;
    SetWindowTextW(control, wideText(text).c_str());
    showing = false;
    const int length = GetWindowTextLengthW(control);
    SendMessageW(control, EM_SETSEL, length, length);
}

void EditorWindow::showName(const std::string &name) {
    putText(nameEdit, name);
}

void EditorWindow::showRow(int row, const BatchItem &item) {
    putText(pathEdits[row], item.path);
    putText(delayEdits[row], item.delay);
    SendMessageW(stateCombos[row], CB_SETCURSEL, item.state ? WPARAM(*item.state) : WPARAM(-1), 0);
}

void EditorWindow::showSelection(std::optional<int> row) {
    for (int i = 0; i < RowCount; ++i)
        SendMessageW(rowSelectors[i], BM_SETCHECK, row == i ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The title carries no mark of unsaved changes; the logic asks about them on closing.
void EditorWindow::showChanged(bool) {}

MessageAnswer EditorWindow::ask(const Message &message) {
    return showMessage(message, window);
}

std::optional<std::filesystem::path> EditorWindow::chooseFile(const FileQuestion &question) {
    const std::wstring filter = dialogFilter(question.filter);
    const std::wstring title = wideText(question.title);
    std::vector<wchar_t> chosen(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = DWORD(chosen.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrInitialDir = question.folder.empty() ? nullptr : question.folder.c_str();
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;
    return std::filesystem::path(chosen.data());
}

std::optional<std::filesystem::path> EditorWindow::chooseFolder(const std::string &title) {
    const OleOnThread ole;
    const std::wstring text = wideText(title);
    BROWSEINFOW browse{};
    browse.hwndOwner = window;
    browse.lpszTitle = text.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return std::nullopt;
    std::vector<wchar_t> folder(32768, L'\0');
    const bool named =
        SHGetPathFromIDListEx(chosen, folder.data(), DWORD(folder.size()), GPFIDL_DEFAULT);
    CoTaskMemFree(chosen);
    if (!named)
        return std::nullopt;
    return std::filesystem::path(folder.data());
}

void EditorWindow::showAbout() {
    ::showAbout(window);
}

void EditorWindow::showHelp() {
    Help::showContents(window, services_.programFolder);
}

// Closes the way the close button does, which asks the logic first.
void EditorWindow::closeWindow() {
    PostMessageW(window, WM_CLOSE, 0, 0);
}
