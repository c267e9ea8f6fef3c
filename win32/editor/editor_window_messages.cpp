#include "win32/common/wide_text.h"
#include "win32/editor/editor_controls.h"
#include "win32/editor/editor_window.h"
#include "win32/editor/toolbar_entries.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::string controlText(HWND control) {
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return coreText(text);
}

// The row of a per-row control's id, with the kind's first id in first; -1 when the id is not
// of that kind.
int rowOf(int id, int first) {
    return id >= first && id < first + MaxBatchItems ? id - first : -1;
}

} // namespace

LRESULT CALLBACK EditorWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto *self =
            static_cast<EditorWindow *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    auto *self = reinterpret_cast<EditorWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->logic_)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        return self->onCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return self->onNotify(*reinterpret_cast<NMHDR *>(lParam));
    case WM_ACTIVATE:
        return self->onActivate(LOWORD(wParam) != WA_INACTIVE);
    case WM_CLOSE:
        return self->onClose();
    case WM_DESTROY:
        return self->onDestroy();
    case WM_DPICHANGED:
        return self->onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The path fields take files dropped from Explorer.
LRESULT CALLBACK EditorWindow::pathEditProcedure(HWND edit, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR row, DWORD_PTR self) {
    switch (message) {
    case WM_DROPFILES:
        reinterpret_cast<EditorWindow *>(self)->onDropFiles(int(row), HDROP(wParam));
        return 0;
    default:
        return DefSubclassProc(edit, message, wParam, lParam);
    }
}

// Only the user's own edits are forwarded: what the logic shows does not come back to it. A
// control of a row taking the focus selects that row.
LRESULT EditorWindow::onCommand(int id, int code) {
    if (id >= NewButtonId && id <= ExitButtonId) {
        logic_->command(EditorCommand(id - NewButtonId));
        return 0;
    }
    const bool edited = code == EN_CHANGE && !showing;
    if (id == NameEditId) {
        if (code == EN_SETFOCUS)
            logic_->nameFocused();
        else if (edited)
            logic_->nameEdited(controlText(nameEdit));
        return 0;
    }
    if (id == MoveUpButtonId || id == MoveDownButtonId) {
        if (code == BN_CLICKED)
            logic_->moveClicked(id == MoveUpButtonId ? MoveDirection::Up : MoveDirection::Down);
        return 0;
    }
    if (const int row = rowOf(id, RowSelectorId); row >= 0) {
        if (code == BN_CLICKED)
            logic_->rowFocused(row);
        return 0;
    }
    for (const int first : {DelayEditId, PathEditId, BrowseFileButtonId, BrowseFolderButtonId,
                            StateComboId, ClearButtonId}) {
        const int row = rowOf(id, first);
        if (row < 0)
            continue;
        // Each kind of control has its own numbers for its notifications.
        const bool edit = first == DelayEditId || first == PathEditId;
        const int focusCode = edit                    ? EN_SETFOCUS
                              : first == StateComboId ? CBN_SETFOCUS
                                                      : BN_SETFOCUS;
        if (code == focusCode)
            logic_->rowFocused(row);
        else if (edited && first == DelayEditId)
            logic_->delayEdited(row, controlText(delayEdits[row]));
        else if (edited && first == PathEditId)
            logic_->pathEdited(row, controlText(pathEdits[row]));
        else if (code == CBN_SELCHANGE && first == StateComboId)
            logic_->stateChosen(row,
                                WindowState(SendMessageW(stateCombos[row], CB_GETCURSEL, 0, 0)));
        else if (code == BN_CLICKED && first == BrowseFileButtonId)
            logic_->browseFileClicked(row);
        else if (code == BN_CLICKED && first == BrowseFolderButtonId)
            logic_->browseFolderClicked(row);
        else if (code == BN_CLICKED && first == ClearButtonId)
            logic_->clearClicked(row);
        return 0;
    }
    return 0;
}

// The toolbar's tips.
LRESULT EditorWindow::onNotify(NMHDR &header) {
    if (header.code != TTN_GETDISPINFOW)
        return 0;
    auto &tip = reinterpret_cast<NMTTDISPINFOW &>(header);
    for (const ToolbarEntry &entry : ToolbarEntries) {
        if (entry.id != 0 && UINT_PTR(entry.id) == header.idFrom)
            tip.lpszText = const_cast<wchar_t *>(entry.tip);
    }
    return 0;
}

// The window keeps its focused control while it is left, as a dialog does: the name field at
// first.
LRESULT EditorWindow::onActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        lastFocus = focus && IsChild(window, focus) ? focus : lastFocus;
        return 0;
    }
    SetFocus(lastFocus ? lastFocus : nameEdit);
    return 0;
}

LRESULT EditorWindow::onClose() {
    if (!logic_->maybeSave())
        return 0;
    unload();
    DestroyWindow(window);
    return 0;
}

LRESULT EditorWindow::onDestroy() {
    window = nullptr;
    PostQuitMessage(0);
    return 0;
}

// Moved to a monitor of another DPI, the window is drawn again at that DPI where the system
// suggests.
LRESULT EditorWindow::onDpiChanged(UINT newDpi, const RECT &suggested) {
    dpi = newDpi;
    layOut();
    SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// The drop moves neither the focus nor the selection.
void EditorWindow::onDropFiles(int row, HDROP drop) {
    std::vector<std::filesystem::path> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(std::size_t(DragQueryFileW(drop, i, nullptr, 0)) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), UINT(path.size())));
        paths.emplace_back(path);
    }
    DragFinish(drop);
    logic_->dropped(row, paths);
}
