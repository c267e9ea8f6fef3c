#include "win32/msgbox/message_box.h"

#include "core/layout/message_box_geometry.h"
#include "core/layout/message_box_layout.h"
#include "win32/common/dialog_template.h"
#include "win32/common/dpi_scale.h"
#include "win32/common/picture_ids.h"
#include "win32/common/pictures.h"
#include "win32/common/wide_text.h"
#include "win32/common/window_fonts.h"
#include "win32/msgbox/message_box_controls.h"

#include <vector>

namespace {

namespace Geometry = MessageBoxGeometry;

constexpr DWORD BoxStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// An edit control breaks lines only at CR LF.
std::wstring withWindowsLineEnds(const std::wstring &text) {
    std::wstring converted;
    for (const wchar_t c : text) {
        if (c == L'\n' && (converted.empty() || converted.back() != L'\r'))
            converted += L'\r';
        converted += c;
    }
    return converted;
}

class MessageBoxDialog {
public:
    MessageBoxDialog(const Message &message, HWND owner)
        : message(message), owner(owner), buttons(messageBoxButtonLayout(message.buttons)) {}

    MessageAnswer show() {
        // The title keeps a blank before it, as the box has always shown it.
        const DialogTemplate box(BoxStyle, owner ? 0 : WS_EX_TOPMOST,
                                 L" " + wideText(message.title));
        const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), owner,
                                                       procedure, LPARAM(this));
        return answer > 0 ? MessageAnswer(answer) : MessageAnswer::Closed;
    }

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        MessageBoxDialog *box = dialogObject<MessageBoxDialog>(dialog, message, lParam);
        switch (message) {
        case WM_INITDIALOG:
            return box->onInitDialog(dialog);
        case WM_COMMAND:
            return box->onCommand(LOWORD(wParam));
        default:
            return FALSE;
        }
    }

    INT_PTR onInitDialog(HWND dialog);
    INT_PTR onCommand(int id);
    HWND addControl(const wchar_t *className, const std::wstring &text, DWORD style, int id,
                    const RECT &place);
    int promptNeeds96(HWND prompt, const std::wstring &text) const;
    void placeOnScreen(int innerHeight);

    const Message &message;
    HWND owner;
    std::vector<MessageBoxButton> buttons;
    HWND dialog = nullptr;
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    OwnedFont font;
    OwnedIcon note;
};

HWND MessageBoxDialog::addControl(const wchar_t *className, const std::wstring &text, DWORD style,
                                  int id, const RECT &place) {
    const HWND control =
        CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, dialog,
                        HMENU(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, WPARAM(font.get()), FALSE);
    return control;
}

// The prompt area's height, in pixels of 96 DPI, that shows the whole text wrapped as the area
// wraps it: its lines, its margins and its border.
int MessageBoxDialog::promptNeeds96(HWND prompt, const std::wstring &text) const {
    RECT client{};
    GetClientRect(prompt, &client);
    const DWORD margins = DWORD(SendMessageW(prompt, EM_GETMARGINS, 0, 0));
    const int width = client.right - LOWORD(margins) - HIWORD(margins);
    const int border = 2 * GetSystemMetricsForDpi(SM_CYEDGE, dpi);
    const int needs = wrappedTextHeight(font.get(), text, width) + border + 2;
    return (needs * 96 + int(dpi) - 1) / int(dpi);
}

INT_PTR MessageBoxDialog::onInitDialog(HWND box) {
    dialog = box;
    dpi = dpiOf(dialog);
    font = messageFont(dpi, 9);
    const POINT upperOrigin{Geometry::UpperPanel.left, Geometry::UpperPanel.top};

    const HWND upper =
        addControl(L"BUTTON", L"", BS_GROUPBOX, UpperPanelId, rectAt(Geometry::UpperPanel, dpi));
    const HWND icon = addControl(L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE, NoteIconId,
                                 rectAt(Geometry::NoteIcon, dpi, upperOrigin));
    note = loadIcon(PICTURE_NOTE, pixelsAt(Geometry::NoteIcon.width, dpi));
    SendMessageW(icon, STM_SETICON, WPARAM(note.get()), 0);
    placeControl(icon, rectAt(Geometry::NoteIcon, dpi, upperOrigin));

    // Read-only and skipped by Tab, but the text can still be selected and copied.
    const std::wstring text = withWindowsLineEnds(wideText(message.prompt));
    const HWND prompt = addControl(L"EDIT", text, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                   PromptTextId, rectAt(Geometry::PromptArea, dpi, upperOrigin));
    SetWindowLongPtrW(prompt, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(prompt, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);

    // Grown to show the whole prompt, as far as the screen has room for the box and its frame.
    const MONITORINFO monitor = monitorOf(owner ? owner : dialog);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&frame, BoxStyle, FALSE, owner ? 0 : WS_EX_TOPMOST, dpi);
    const int roomPixels = monitor.rcWork.bottom - monitor.rcWork.top - (frame.bottom - frame.top);
    const int needs = promptNeeds96(prompt, text);
    const MessageBoxHeights heights = messageBoxHeights(needs, roomPixels * 96 / int(dpi));
    const RECT upperPlace = rectAt(Geometry::UpperPanel, dpi);
    SetWindowPos(upper, nullptr, 0, 0, upperPlace.right - upperPlace.left,
                 scaledPixels(heights.upperPanel, dpi), SWP_NOMOVE | SWP_NOZORDER);
    const RECT promptPlace = rectAt(Geometry::PromptArea, dpi, upperOrigin);
    SetWindowPos(prompt, nullptr, 0, 0, promptPlace.right - promptPlace.left,
                 scaledPixels(heights.promptArea, dpi), SWP_NOMOVE | SWP_NOZORDER);
    if (needs > heights.promptArea)
        ShowScrollBar(prompt, SB_VERT, TRUE);

    const int lowerTop = scaledPixels(heights.lowerPanelTop, dpi);
    RECT lowerPlace = rectAt(Geometry::LowerPanel, dpi);
    OffsetRect(&lowerPlace, 0, lowerTop - lowerPlace.top);
    const HWND lower = addControl(L"BUTTON", L"", BS_GROUPBOX, LowerPanelId, lowerPlace);
    HWND first = nullptr;
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        const MessageBoxButton &planned = buttons[index];
        RECT place =
            rectAt({planned.left, Geometry::ButtonTop, planned.width, Geometry::ButtonHeight}, dpi,
                   {Geometry::LowerPanel.left, 0});
        OffsetRect(&place, 0, lowerTop);
        const HWND button = addControl(L"BUTTON", wideText(planned.caption),
                                       WS_TABSTOP | (index == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                                       FirstButtonId + int(index), place);
        if (index == 0)
            first = button;
    }
    // The panels stay beneath the controls they frame.
    SetWindowPos(upper, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(lower, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    placeOnScreen(scaledPixels(heights.box, dpi));
    SendMessageW(dialog, DM_SETDEFID, FirstButtonId, 0);
    SetFocus(first);
    if (!owner)
        SetForegroundWindow(dialog);
    return FALSE;
}

// Centred on the screen rather than over the owner, which may never have been shown.
void MessageBoxDialog::placeOnScreen(int innerHeight) {
    RECT outer{0, 0, pixelsAt(Geometry::InnerWidth, dpi), innerHeight};
    AdjustWindowRectExForDpi(&outer, BoxStyle, FALSE, DWORD(GetWindowLongPtrW(dialog, GWL_EXSTYLE)),
                             dpi);
    const MONITORINFO monitor = monitorOf(owner ? owner : dialog);
    const RECT &screen = monitor.rcMonitor;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(dialog, owner ? nullptr : HWND_TOPMOST,
                 screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, width, height,
                 owner ? SWP_NOZORDER : 0);
}

INT_PTR MessageBoxDialog::onCommand(int id) {
    const int index = id - FirstButtonId;
    if (index >= 0 && index < int(buttons.size())) {
        EndDialog(dialog, INT_PTR(buttons[std::size_t(index)].answer));
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, INT_PTR(MessageAnswer::Closed));
        return TRUE;
    }
    return FALSE;
}

} // namespace

MessageAnswer showMessage(const Message &message, HWND owner) {
    MessageBoxDialog box(message, owner);
    return box.show();
}
