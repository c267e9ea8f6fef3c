#include "platform/environment.h"

#include "platform/path_text.h"

#include <windows.h>

namespace platform {

// The wide environment, so that text outside the code page passes unchanged.
std::optional<std::string> environmentVariable(const char *name) {
    const std::wstring wideName = pathFromText(name).native();
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wideName.c_str(), value.data(), size));
    return textFromPath(std::filesystem::path(value));
}

void setEnvironmentVariable(const char *name, const std::string &value) {
    SetEnvironmentVariableW(pathFromText(name).c_str(), pathFromText(value).c_str());
}

} // namespace platform
