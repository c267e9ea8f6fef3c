#include "platform/win32_shell_open.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace platform::win32 {

namespace {

// Shell extensions and DDE conversations behind a verb need COM on the calling thread. A thread
// that already has COM keeps its own apartment.
class ComForShell {
public:
    ComForShell()
        : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForShell() {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    ComForShell(const ComForShell &) = delete;
    ComForShell &operator=(const ComForShell &) = delete;

private:
    HRESULT result;
};

// A file cannot be a working folder: the shell would refuse to start anything in it.
std::wstring workingFolderOf(const std::wstring &path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return path;
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return {};
    // "C:\item" works in "C:\", not in "C:", which would mean the drive's current folder.
    const bool driveRoot = separator == 2 && path[1] == L':';
    return path.substr(0, driveRoot ? separator + 1 : separator);
}

} // namespace

bool shellOpen(const std::wstring &path, int showCommand) {
    // A NUL would cut the path short and open some other file.
    if (path.empty() || path.find(L'\0') != std::wstring::npos)
        return false;

    const ComForShell com;
    const std::wstring folder = workingFolderOf(path);
    SHELLEXECUTEINFOW execute = {};
    execute.cbSize = sizeof(execute);
    // The program ends right after its last item: the launch must be complete before this
    // returns, or the item is lost with the DDE conversation or thread that was to start it.
    execute.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = path.c_str();
    execute.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    execute.nShow = showCommand;
    return ShellExecuteExW(&execute) != FALSE;
}

} // namespace platform::win32
