#include "win32/common/window_fonts.h"

#include <cmath>

namespace {

// A device context of the screen with font chosen, for measuring.
class MeasuringContext {
public:
    explicit MeasuringContext(HFONT font) : dc(GetDC(nullptr)), previous(SelectObject(dc, font)) {}
    ~MeasuringContext() {
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
    }
    MeasuringContext(const MeasuringContext &) = delete;
    MeasuringContext &operator=(const MeasuringContext &) = delete;
    HDC get() const { return dc; }

private:
    HDC dc;
    HGDIOBJ previous;
};

} // namespace

OwnedFont messageFont(UINT dpi, double largestPoints) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font{};
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -MulDiv(8, int(dpi), 72);
        wcscpy_s(font.lfFaceName, L"Tahoma");
    }
    const LONG largest = -LONG(std::lround(largestPoints * dpi / 72));
    if (font.lfHeight < largest)
        font.lfHeight = largest;
    return OwnedFont(CreateFontIndirectW(&font));
}

OwnedFont sansSerifFont(const wchar_t *face, int points, bool bold, bool italic, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, int(dpi), 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    wcscpy_s(font.lfFaceName, face);
    return OwnedFont(CreateFontIndirectW(&font));
}

void setFontOfChildren(HWND window, HFONT font) {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM font) -> BOOL {
            SendMessageW(child, WM_SETFONT, WPARAM(font), TRUE);
            return TRUE;
        },
        LPARAM(font));
}

SIZE textExtent(HFONT font, const std::wstring &text) {
    const MeasuringContext context(font);
    SIZE size{};
    GetTextExtentPoint32W(context.get(), text.c_str(), int(text.size()), &size);
    return size;
}

int wrappedTextHeight(HFONT font, const std::wstring &text, int width) {
    const MeasuringContext context(font);
    RECT area{0, 0, width, 0};
    // An empty last line still takes its height in an edit control.
    const std::wstring measured = text.empty() || text.back() == L'\n' ? text + L" " : text;
    DrawTextW(context.get(), measured.c_str(), int(measured.size()), &area,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    return area.bottom - area.top;
}
