#include "installer/registry_store.h"

#include "installer/utf16.h"

#include <windows.h>

#include <stdexcept>

namespace kestrum {

namespace {

// The system's own words for the error, as the other failures read.
[[noreturn]] void throwRegistryError(LSTATUS status) {
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(status), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty())
        message = L"registry error " + std::to_wstring(status);
    throw std::runtime_error(utf8FromUtf16(message));
}

// Closes the key on every way out.
class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() {
        if (handle != nullptr)
            RegCloseKey(handle);
    }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

    HKEY handle = nullptr;
};

} // namespace

std::string registryKeyName(const ClassesKey &key) {
    switch (key.kind) {
    case ClassesKey::Kind::ExtensionType:
    case ClassesKey::Kind::Description:
        return key.name;
    case ClassesKey::Kind::Icon:
        return key.name + "\\DefaultIcon";
    case ClassesKey::Kind::VerbCommand:
        return key.name + "\\shell\\" + key.verb + "\\command";
    }
    return key.name;
}

std::string RegistryStore::fileTypeOf(const std::string &extension) {
    OpenKey key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, utf16FromUtf8(extension).c_str(), 0, KEY_QUERY_VALUE,
                      &key.handle) != ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.handle, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    // One character more than the value holds, so that a value stored without its NUL ends.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = DWORD(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.handle, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(text.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    return utf8FromUtf16(text.substr(0, text.find(L'\0')));
}

void RegistryStore::setValue(const ClassesKey &key, const std::string &value) {
    OpenKey opened;
    const LSTATUS created =
        RegCreateKeyExW(HKEY_CLASSES_ROOT, utf16FromUtf8(registryKeyName(key)).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened.handle, nullptr);
    if (created != ERROR_SUCCESS)
        throwRegistryError(created);
    const std::wstring text = utf16FromUtf8(value);
    // The stored text carries its NUL, as every reader of a REG_SZ expects.
    const LSTATUS set = RegSetValueExW(opened.handle, nullptr, 0, REG_SZ,
                                       reinterpret_cast<const BYTE *>(text.c_str()),
                                       DWORD((text.size() + 1) * sizeof(wchar_t)));
    if (set != ERROR_SUCCESS)
        throwRegistryError(set);
}

void RegistryStore::deleteValue(const ClassesKey &key) {
    OpenKey opened;
    const LSTATUS status =
        RegOpenKeyExW(HKEY_CLASSES_ROOT, utf16FromUtf8(registryKeyName(key)).c_str(), 0,
                      KEY_SET_VALUE, &opened.handle);
    if (status == ERROR_FILE_NOT_FOUND)
        return;
    if (status != ERROR_SUCCESS)
        throwRegistryError(status);
    const LSTATUS deleted = RegDeleteValueW(opened.handle, nullptr);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
        throwRegistryError(deleted);
}

} // namespace kestrum
