#pragma once

#include "platform/settings_store.h"

#include <filesystem>
#include <memory>

namespace testsupport {

// A store of the kind the user's settings are kept in, opened as the program opens it: on Linux
// the settings file at file, in the test's own folder; on Windows the current user's registry
// key, where file plays no part. Each test program has a Wine prefix of its own, so the key holds
// nobody's settings but the tests'.
std::unique_ptr<platform::SettingsStore> settingsStoreAt(const std::filesystem::path &file);

// The same, holding nothing that an earlier test stored.
std::unique_ptr<platform::SettingsStore> emptySettingsStoreAt(const std::filesystem::path &file);

} // namespace testsupport
