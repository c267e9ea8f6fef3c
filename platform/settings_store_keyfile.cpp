#include "platform/settings_store.h"

#include "platform/file_access.h"
#include "platform/folders.h"

#include <glib.h>

namespace platform {

namespace {

constexpr char Group[] = "Settings";
// Far beyond two numbers, small enough to read whole without harm.
constexpr std::size_t LargestFile = 1024 * 1024;

std::string describe(const std::filesystem::path &file, const FileOutcome &outcome) {
    const std::string name = file.native();
    switch (outcome.fault) {
    case FileFault::IsAFolder:
        return "The settings file " + name + " is a folder";
    case FileFault::NotARegularFile:
        return "The settings file " + name + " is not a regular file";
    case FileFault::TooLarge:
        return "The settings file " + name + " is larger than 1 MiB";
    case FileFault::PermissionDenied:
        return "Permission denied: " + name;
    default:
        return "The settings file " + name + " cannot be read" +
               (outcome.reason.empty() ? std::string() : " (" + outcome.reason + ")");
    }
}

// The settings file in the key-file format ("[Settings]", "Top=..."), read whole for every use
// and replaced whole on every write, so that nothing of another copy's write is lost between.
class KeyFileStore final : public SettingsStore {
public:
    explicit KeyFileStore(std::filesystem::path file) : file(std::move(file)) {}

    std::optional<std::string> value(const std::string &key) override {
        GKeyFile *keys = load();
        std::optional<std::string> found;
        if (gchar *text = g_key_file_get_string(keys, Group, key.c_str(), nullptr)) {
            found = text;
            g_free(text);
        }
        g_key_file_free(keys);
        return found;
    }

    void
    store(const std::vector<std::pair<std::string, std::optional<std::string>>> &values) override {
        GKeyFile *keys = load();
        if (problem_) {
            g_key_file_free(keys);
            return;
        }
        for (const auto &[key, text] : values) {
            if (text)
                g_key_file_set_string(keys, Group, key.c_str(), text->c_str());
            else
                g_key_file_remove_key(keys, Group, key.c_str(), nullptr);
        }
        gsize length = 0;
        gchar *data = g_key_file_to_data(keys, &length, nullptr);
        g_key_file_free(keys);
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        const FileOutcome written = replaceFile(file, std::string_view(data, length));
        g_free(data);
        if (!written.ok())
            problem_ = describe(file, written);
    }

    std::optional<std::string> problem() const override { return problem_; }
    std::string location() const override { return file.native(); }

private:
    // A missing file is an empty store; anything else that cannot be read is a problem, and the
    // store is then never written, so that whatever stands there is left alone.
    GKeyFile *load() {
        GKeyFile *keys = g_key_file_new();
        std::string bytes;
        const FileOutcome read = readWholeFile(file, LargestFile, bytes);
        if (read.fault == FileFault::NotFound || read.fault == FileFault::FolderNotFound)
            return keys;
        if (!read.ok()) {
            problem_ = describe(file, read);
            return keys;
        }
        // A damaged file reads as empty and is written anew.
        g_key_file_load_from_data(keys, bytes.data(), bytes.size(), G_KEY_FILE_KEEP_COMMENTS,
                                  nullptr);
        return keys;
    }

    std::filesystem::path file;
    std::optional<std::string> problem_;
};

} // namespace

std::unique_ptr<SettingsStore> userSettingsStore() {
    return std::make_unique<KeyFileStore>(userConfigFolder() / "Runvoy" / "Runvoy.conf");
}

std::unique_ptr<SettingsStore> settingsStoreInFile(const std::filesystem::path &file) {
    return std::make_unique<KeyFileStore>(file);
}

} // namespace platform
