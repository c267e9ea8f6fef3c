// Reads Runvoy's windows back for the tests that drive them with X input: a console program run
// under the same Wine prefix, printing one line per window or control in UTF-8.
//   window_probe windows                  visible top-level windows: title|class|rect
//   window_probe controls TITLE           TITLE's controls: id|class|text|checked|selection|rect
//   window_probe toolbar TITLE            TITLE's toolbar buttons: command|rect
// Rectangles are left,top,right,bottom on the screen.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

void print(const std::wstring &line) {
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

std::wstring rectText(const RECT &r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

std::wstring textOf(HWND window) {
    wchar_t text[4096] = L"";
    SendMessageW(window, WM_GETTEXT, 4096, LPARAM(text));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

BOOL CALLBACK printTopLevel(HWND window, LPARAM) {
    if (IsWindowVisible(window)) {
        RECT r{};
        GetWindowRect(window, &r);
        print(textOf(window) + L"|" + classOf(window) + L"|" + rectText(r));
    }
    return TRUE;
}

BOOL CALLBACK printControl(HWND control, LPARAM) {
    RECT r{};
    GetWindowRect(control, &r);
    const std::wstring kind = classOf(control);
    const LRESULT selection =
        _wcsicmp(kind.c_str(), L"ComboBox") == 0 ? SendMessageW(control, CB_GETCURSEL, 0, 0) : -1;
    print(std::to_wstring(GetDlgCtrlID(control)) + L"|" + kind + L"|" + textOf(control) + L"|" +
          std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0)) + L"|" +
          std::to_wstring(selection) + L"|" + rectText(r));
    return TRUE;
}

// The toolbar's rectangles live in its own process: they are asked into memory lent there.
void printToolbar(HWND toolbar) {
    DWORD process = 0;
    GetWindowThreadProcessId(toolbar, &process);
    const HANDLE owner = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, process);
    void *remote = VirtualAllocEx(owner, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    const int count = int(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessageW(toolbar, TB_GETITEMRECT, i, LPARAM(remote));
        ReadProcessMemory(owner, remote, &r, sizeof(r), nullptr);
        MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT *>(&r), 2);
        TBBUTTON button{};
        void *remoteButton =
            VirtualAllocEx(owner, nullptr, sizeof(button), MEM_COMMIT, PAGE_READWRITE);
        SendMessageW(toolbar, TB_GETBUTTON, i, LPARAM(remoteButton));
        ReadProcessMemory(owner, remoteButton, &button, sizeof(button), nullptr);
        VirtualFreeEx(owner, remoteButton, 0, MEM_RELEASE);
        print(std::to_wstring(button.idCommand) + L"|" + rectText(r));
    }
    VirtualFreeEx(owner, remote, 0, MEM_RELEASE);
    CloseHandle(owner);
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    const std::wstring what = argc > 1 ? argv[1] : L"";
    if (what == L"windows") {
        EnumWindows(printTopLevel, 0);
        return 0;
    }
    const HWND window = argc > 2 ? FindWindowW(nullptr, argv[2]) : nullptr;
    if (!window) {
        std::fputs("no such window\n", stderr);
        return 1;
    }
    if (what == L"controls")
        EnumChildWindows(window, printControl, 0);
    else if (what == L"toolbar")
        printToolbar(FindWindowExW(window, nullptr, TOOLBARCLASSNAMEW, nullptr));
    return 0;
}
