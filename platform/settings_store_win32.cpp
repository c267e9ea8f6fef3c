#include "platform/settings_store.h"

#include "platform/path_text.h"

#include <windows.h>

namespace platform {

namespace {

constexpr wchar_t Key[] = L"Software\\Runvoy\\Settings";

std::wstring wide(const std::string &text) {
    return pathFromText(text).native();
}

// The current user's key: read on each use, written value by value.
class RegistryStore final : public SettingsStore {
public:
    std::optional<std::string> value(const std::string &name) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return std::nullopt;
        std::optional<std::string> found;
        DWORD type = 0;
        DWORD size = 0;
        const std::wstring valueName = wide(name);
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
            DWORD read = DWORD(text.size() * sizeof(wchar_t));
            if (RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE *>(text.data()), &read) == ERROR_SUCCESS) {
                text.resize(wcsnlen(text.c_str(), text.size()));
                found = textFromPath(std::filesystem::path(text));
            }
        }
        RegCloseKey(key);
        return found;
    }

    void
    store(const std::vector<std::pair<std::string, std::optional<std::string>>> &values) override {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        for (const auto &[name, text] : values) {
            const std::wstring valueName = wide(name);
            if (!text) {
                RegDeleteValueW(key, valueName.c_str());
                continue;
            }
            const std::wstring data = wide(*text);
            RegSetValueExW(key, valueName.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE *>(data.c_str()),
                           DWORD((data.size() + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }

    std::optional<std::string> problem() const override { return std::nullopt; }
    std::string location() const override {
        return "HKEY_CURRENT_USER\\Software\\Runvoy\\Settings";
    }
};

} // namespace

std::unique_ptr<SettingsStore> userSettingsStore() {
    return std::make_unique<RegistryStore>();
}

} // namespace platform
