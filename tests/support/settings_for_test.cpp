#include "tests/support/settings_for_test.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

#ifdef _WIN32

std::unique_ptr<platform::SettingsStore> settingsStoreAt(const std::filesystem::path &) {
    return platform::userSettingsStore();
}

std::unique_ptr<platform::SettingsStore> emptySettingsStoreAt(const std::filesystem::path &file) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Runvoy");
    return settingsStoreAt(file);
}

#else

std::unique_ptr<platform::SettingsStore> settingsStoreAt(const std::filesystem::path &file) {
    return platform::settingsStoreInFile(file);
}

// Every test's file is in a folder of its own.
std::unique_ptr<platform::SettingsStore> emptySettingsStoreAt(const std::filesystem::path &file) {
    return settingsStoreAt(file);
}

#endif

} // namespace testsupport
