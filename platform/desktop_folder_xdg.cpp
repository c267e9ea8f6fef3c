#include "platform/desktop_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string variable(const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The home folder as the environment names it, the root when it names none.
std::string homeFolder() {
    std::string home = variable("HOME");
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home.empty() ? "/" : home;
}

fs::path configHome() {
    const std::string configured = variable("XDG_CONFIG_HOME");
    if (configured.starts_with('/'))
        return configured;
    return homeFolder() + "/.config";
}

std::string_view trimmed(std::string_view line) {
    constexpr std::string_view blanks = " \t\r\v\f";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

// The value of XDG_DESKTOP_DIR in user-dirs.dirs: a double-quoted path that is absolute or
// starts with $HOME; anything else counts as not configured. The bytes are kept as they are, so
// a folder whose name is not UTF-8 is still found.
std::string configuredDesktop(const std::string &contents) {
    constexpr std::string_view key = "XDG_DESKTOP_DIR=";
    std::string found;
    for (std::size_t start = 0; start <= contents.size();) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos)
            end = contents.size();
        const std::string_view line =
            trimmed(std::string_view(contents).substr(start, end - start));
        start = end + 1;
        if (!line.starts_with(key))
            continue;
        std::string_view quoted = line.substr(key.size());
        if (quoted.size() < 2 || !quoted.starts_with('"') || !quoted.ends_with('"'))
            continue;
        std::string value;
        quoted = quoted.substr(1, quoted.size() - 2);
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            if (quoted[i] == '\\' && i + 1 < quoted.size() && quoted[i + 1] == '"')
                ++i;
            value += quoted[i];
        }
        // A folder set to the home folder itself is how the user turns it off.
        if (value == "$HOME" || value == "$HOME/")
            found.clear();
        else if (value.starts_with("$HOME/"))
            found = homeFolder() + value.substr(5);
        else if (value.starts_with('/'))
            found = value;
    }
    return found;
}

} // namespace

fs::path desktopFolder() {
    std::ifstream file(configHome() / "user-dirs.dirs", std::ios::binary);
    if (!file)
        return {};
    std::string folder =
        configuredDesktop({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
    while (folder.size() > 1 && folder.ends_with('/'))
        folder.pop_back();
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error) ||
        fs::equivalent(folder, homeFolder(), error))
        return {};
    return folder;
}

} // namespace platform
