#include "win32/editor/editor_window.h"

#include "core/layout/editor_layout.h"
#include "win32/common/dpi_scale.h"
#include "win32/common/picture_ids.h"
#include "win32/editor/editor_controls.h"
#include "win32/editor/editor_placement.h"
#include "win32/editor/toolbar_entries.h"
#include "win32/help/help.h"

#include <commctrl.h>
#include <shellapi.h>

EditorWindow::EditorWindow(const EditorServices &services) : services_(services) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(PICTURE_PROGRAM));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = EditorWindowClass;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    // A fixed single border: minimise and close, no maximise. The size follows the DPI.
    CreateWindowExW(0, EditorWindowClass, L"Runvoy", WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    dpi = dpiOf(window);
    createControls();
    layOut();
    // Made once every control is there: the logic shows its empty batch at once.
    logic_ = std::make_unique<EditorLogic>(*this, services_);
    SetFocus(nameEdit);
}

EditorWindow::~EditorWindow() {
    if (window)
        DestroyWindow(window);
}

void EditorWindow::load(const EditorStart &start) {
    placeWindow(start);
    logic_->start(start);
}

HWND EditorWindow::addControl(const wchar_t *className, const wchar_t *text, DWORD style, int id,
                              DWORD extendedStyle) {
    return CreateWindowExW(extendedStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                           0, window, HMENU(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

// Made in the order that Tab follows; the frames last, beneath the controls they hold.
void EditorWindow::createControls() {
    createToolbar();
    nameLabel = addControl(L"STATIC", L"Name:", SS_RIGHT | SS_CENTERIMAGE, NameLabelId);
    nameEdit = addControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, NameEditId, WS_EX_CLIENTEDGE);
    delayHeading = addControl(L"STATIC", L"Delay", SS_CENTER | SS_CENTERIMAGE, DelayHeadingId);
    pathHeading = addControl(L"STATIC", L"Path", SS_CENTER | SS_CENTERIMAGE, PathHeadingId);
    browseHeading = addControl(L"STATIC", L"Browse", SS_CENTER | SS_CENTERIMAGE, BrowseHeadingId);
    stateHeading = addControl(L"STATIC", L"State", SS_CENTER | SS_CENTERIMAGE, StateHeadingId);
    clearHeading = addControl(L"STATIC", L"-x-", SS_CENTER | SS_CENTERIMAGE, ClearHeadingId);
    for (int i = 0; i < RowCount; ++i) {
        delayEdits[i] = addControl(L"EDIT", L"", WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL,
                                   DelayEditId + i, WS_EX_CLIENTEDGE);
        pathEdits[i] =
            addControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, PathEditId + i, WS_EX_CLIENTEDGE);
        DragAcceptFiles(pathEdits[i], TRUE);
        SetWindowSubclass(pathEdits[i], pathEditProcedure, UINT_PTR(i), DWORD_PTR(this));
        browseFileButtons[i] =
            addControl(L"BUTTON", L"...", WS_TABSTOP | BS_NOTIFY, BrowseFileButtonId + i);
        browseFolderButtons[i] =
            addControl(L"BUTTON", L"", WS_TABSTOP | BS_NOTIFY | BS_ICON, BrowseFolderButtonId + i);
        stateCombos[i] = addControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                    StateComboId + i);
        for (const std::string_view state : WindowStateNames)
            SendMessageW(stateCombos[i], CB_ADDSTRING, 0,
                         LPARAM(std::wstring(state.begin(), state.end()).c_str()));
        clearButtons[i] =
            addControl(L"BUTTON", L"", WS_TABSTOP | BS_NOTIFY | BS_ICON, ClearButtonId + i);
    }
    moveButtons[0] = addControl(L"BUTTON", L"", WS_TABSTOP | BS_ICON, MoveUpButtonId);
    moveButtons[1] = addControl(L"BUTTON", L"", WS_TABSTOP | BS_ICON, MoveDownButtonId);
    for (int i = 0; i < RowCount; ++i) {
        // The caption is the same for every row and hidden by the selector's size; the id says
        // which row each one selects.
        rowSelectors[i] =
            addControl(L"BUTTON", L"Option1", WS_TABSTOP | BS_RADIOBUTTON, RowSelectorId + i);
    }
    moveFrame = addControl(L"BUTTON", L"", BS_GROUPBOX, MoveFrameId);
    rowsFrame = addControl(L"BUTTON", L"", BS_GROUPBOX, RowsFrameId);
}

void EditorWindow::createToolbar() {
    toolbar = addControl(TOOLBARCLASSNAMEW, nullptr,
                         TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                             CCS_NODIVIDER,
                         ToolbarId);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::array<TBBUTTON, ToolbarEntries.size()> buttons{};
    int picture = 0;
    for (std::size_t i = 0; i < ToolbarEntries.size(); ++i) {
        const ToolbarEntry &entry = ToolbarEntries[i];
        buttons[i].idCommand = entry.id;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = entry.id == 0 ? BTNS_SEP : BTNS_BUTTON;
        buttons[i].iBitmap = entry.id == 0 ? 0 : picture++;
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), LPARAM(buttons.data()));
}

// The stored position is the frame's corner, and centring goes by the outer size on the screen
// the window was made on.
void EditorWindow::placeWindow(const EditorStart &start) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const MONITORINFO monitor = monitorOf(window);
    const RECT &screen = monitor.rcMonitor;
    const int x = cornerAlong(start.left, screen.left, screen.right - screen.left,
                              frame.right - frame.left, dpi)
                      .value_or(frame.left);
    const int y = cornerAlong(start.top, screen.top, screen.bottom - screen.top,
                              frame.bottom - frame.top, dpi)
                      .value_or(frame.top);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The position is kept for the next start only when the window stands at one.
void EditorWindow::unload() {
    Help::close();
    if (IsIconic(window) || IsZoomed(window))
        return;
    RECT frame{};
    GetWindowRect(window, &frame);
    services_.settings->setPosition(twipsAt(frame.top, dpi), twipsAt(frame.left, dpi));
}

int runEditorWindow(const EditorServices &services, const EditorStart &start) {
    EditorWindow editor(services);
    editor.load(start);
    ShowWindow(editor.handle(), SW_SHOWNORMAL);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Shift+Tab and the arrows move between the controls as in a dialog.
        if (IsWindow(editor.handle()) && IsDialogMessageW(editor.handle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}
