#include "win32/about/about_box.h"

#include "win32/about/about_box_controls.h"
#include "win32/about/version.h"
#include "win32/common/dialog_template.h"
#include "win32/common/dpi_scale.h"
#include "win32/common/picture_ids.h"
#include "win32/common/pictures.h"
#include "win32/common/window_fonts.h"

#include <algorithm>

namespace {

constexpr int InnerWidth = 4875;
constexpr int InnerHeight = 3165;
constexpr TwipsRect PanelArea{0, 0, 4815, 3135};
constexpr TwipsRect ProgramNameArea{120, 120, 4455, 495};
constexpr TwipsRect VersionArea{240, 720, 4335, 375};
constexpr TwipsRect LogoArea{840, 1440, 3045, 840};
constexpr TwipsRect CloseButtonArea{3720, 2640, 975, 375};

constexpr COLORREF PanelGrey = RGB(224, 224, 224);
constexpr COLORREF NameRed = RGB(255, 0, 0);

constexpr DWORD BoxStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

class AboutBox {
public:
    void show(HWND owner) {
        const DialogTemplate box(BoxStyle, 0, L"About Runvoy");
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), owner, procedure,
                                LPARAM(this));
    }

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        AboutBox *box = dialogObject<AboutBox>(dialog, message, lParam);
        switch (message) {
        case WM_INITDIALOG:
            return box->onInitDialog(dialog, HWND(GetWindowLongPtrW(dialog, GWLP_HWNDPARENT)));
        case WM_CTLCOLORSTATIC:
            return box->onColourStatic(HDC(wParam), HWND(lParam));
        case WM_COMMAND:
            return box->onCommand(LOWORD(wParam));
        default:
            return FALSE;
        }
    }

    INT_PTR onInitDialog(HWND dialog, HWND owner);
    INT_PTR onColourStatic(HDC dc, HWND control);
    INT_PTR onCommand(int id);
    HWND addControl(const wchar_t *className, const wchar_t *text, DWORD style, int id,
                    const TwipsRect &area, HFONT font);

    HWND dialog = nullptr;
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    OwnedBrush panelBrush{CreateSolidBrush(PanelGrey)};
    OwnedFont buttonFont;
    OwnedFont nameFont;
    OwnedFont versionFont;
    OwnedBitmap logo;
};

HWND AboutBox::addControl(const wchar_t *className, const wchar_t *text, DWORD style, int id,
                          const TwipsRect &area, HFONT font) {
    const RECT place = rectAt(area, dpi);
    // The layout was drawn for a font with shallower descenders: a label takes the height its
    // font needs, so that no letter loses its tail.
    TEXTMETRICW metrics{};
    if (const HDC dc = GetDC(dialog)) {
        const HGDIOBJ previous = SelectObject(dc, font);
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(dialog, dc);
    }
    const int height = std::max<int>(place.bottom - place.top, metrics.tmHeight);
    const HWND control =
        CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                        place.right - place.left, height, dialog, HMENU(INT_PTR(id)),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    return control;
}

INT_PTR AboutBox::onInitDialog(HWND box, HWND owner) {
    dialog = box;
    dpi = dpiOf(dialog);
    buttonFont = messageFont(dpi, 9);
    // Drawn for "MS Sans Serif"; an outline font is asked for, so that it scales.
    nameFont = sansSerifFont(L"MS Sans Serif", 24, true, true, dpi);
    versionFont = sansSerifFont(L"MS Sans Serif", 12, true, false, dpi);

    addControl(L"STATIC", L"Runvoy", SS_CENTER | SS_NOPREFIX, ProgramNameId, ProgramNameArea,
               nameFont.get());
    addControl(L"STATIC", RunvoyVersionText, SS_CENTER | SS_NOPREFIX, VersionId, VersionArea,
               versionFont.get());
    const HWND logoControl =
        addControl(L"STATIC", L"", SS_BITMAP, LogoId, LogoArea, buttonFont.get());
    const RECT logoPlace = rectAt(LogoArea, dpi);
    logo = loadPictureOn(PICTURE_LOGO,
                         {logoPlace.right - logoPlace.left, logoPlace.bottom - logoPlace.top},
                         PanelGrey);
    SendMessageW(logoControl, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(logo.get()));
    placeControl(logoControl, logoPlace);
    const HWND close = addControl(L"BUTTON", L"&Close", WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  CloseButtonId, CloseButtonArea, buttonFont.get());
    // The grey panel lies beneath everything else, and leaves what lies on it unpainted.
    const HWND panel =
        addControl(L"STATIC", L"", SS_LEFT | WS_CLIPSIBLINGS, PanelId, PanelArea, buttonFont.get());
    SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    // Centred on the owner's screen, frame included.
    RECT outer{0, 0, pixelsAt(InnerWidth, dpi), pixelsAt(InnerHeight, dpi)};
    AdjustWindowRectExForDpi(&outer, BoxStyle, FALSE, 0, dpi);
    const MONITORINFO monitor = monitorOf(owner ? owner : dialog);
    const RECT &screen = monitor.rcMonitor;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(dialog, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, width, height,
                 SWP_NOZORDER);
    SetFocus(close);
    return FALSE;
}

// The panel and its labels are grey, the program's name red.
INT_PTR AboutBox::onColourStatic(HDC dc, HWND control) {
    SetBkColor(dc, PanelGrey);
    SetTextColor(dc,
                 GetDlgCtrlID(control) == ProgramNameId ? NameRed : GetSysColor(COLOR_WINDOWTEXT));
    return INT_PTR(panelBrush.get());
}

// Esc arrives as IDCANCEL; Enter and Alt+C press the close button.
INT_PTR AboutBox::onCommand(int id) {
    if (id != CloseButtonId && id != IDCANCEL)
        return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

} // namespace

void showAbout(HWND owner) {
    AboutBox box;
    box.show(owner);
}
