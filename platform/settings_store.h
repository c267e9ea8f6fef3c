#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The user's own store of the program's settings: texts by key, in the group "Settings".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, none when the key is not there. A store that cannot be read reads as
    // empty, and problem() says why.
    virtual std::optional<std::string> value(const std::string &key) = 0;
    // Stores every pair in one write, or removes the key where the text is none.
    virtual void
    store(const std::vector<std::pair<std::string, std::optional<std::string>>> &values) = 0;
    // Why the store can be neither read nor written, such as a device where its file should be;
    // none when it works. Told once by whoever shows it.
    virtual std::optional<std::string> problem() const = 0;
    // Where the store is, as the user can find it: a file, or a registry key.
    virtual std::string location() const = 0;
};

// The user's store: on Linux the file Runvoy/Runvoy.conf in the user's configuration folder, on
// Windows the key Software\Runvoy\Settings of the current user.
std::unique_ptr<SettingsStore> userSettingsStore();

#ifndef _WIN32
// A store in a settings file of its own, in the same format as the user's store.
std::unique_ptr<SettingsStore> settingsStoreInFile(const std::filesystem::path &file);
#endif

} // namespace platform
