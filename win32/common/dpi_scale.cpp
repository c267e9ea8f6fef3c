#include "win32/common/dpi_scale.h"

RECT rectAt(const TwipsRect &twips, UINT dpi, POINT originTwips) {
    const int left = twips.left + originTwips.x;
    const int top = twips.top + originTwips.y;
    return {pixelsAt(left, dpi), pixelsAt(top, dpi), pixelsAt(left + twips.width, dpi),
            pixelsAt(top + twips.height, dpi)};
}

UINT dpiOf(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi == 0 ? USER_DEFAULT_SCREEN_DPI : dpi;
}

void placeControl(HWND control, const RECT &rect) {
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

MONITORINFO monitorOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor;
}
