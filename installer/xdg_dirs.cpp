#include "installer/xdg_dirs.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <unistd.h>

namespace kestrum {

namespace {

std::filesystem::path homeFolder() {
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *user = getpwuid(getuid()); user && user->pw_dir)
        return user->pw_dir;
    return "/";
}

std::filesystem::path absoluteFromEnvironment(const char *name,
                                              const std::filesystem::path &fallback) {
    const char *value = std::getenv(name);
    if (value && std::filesystem::path(value).is_absolute())
        return value;
    return fallback;
}

std::vector<std::filesystem::path> dataDirsFromEnvironment() {
    const char *value = std::getenv("XDG_DATA_DIRS");
    const std::string_view list = value && *value ? value : "/usr/local/share/:/usr/share/";
    std::vector<std::filesystem::path> dirs;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::filesystem::path dir(list.substr(start, end - start));
        if (dir.is_absolute())
            dirs.push_back(dir);
        start = end + 1;
    }
    return dirs;
}

} // namespace

XdgDirs xdgDirsFromEnvironment() {
    const std::filesystem::path home = homeFolder();
    return {absoluteFromEnvironment("XDG_DATA_HOME", home / ".local/share"),
            absoluteFromEnvironment("XDG_CONFIG_HOME", home / ".config"),
            dataDirsFromEnvironment()};
}

} // namespace kestrum
