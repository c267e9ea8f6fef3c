#include "platform/desktop_folder.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using testsupport::ScopedVariable;

namespace {

TEST(DesktopFolder, readsTheConfiguredFolderAndRejectsWhatIsNotOne) {
    // Removed by bytes, so that the folder whose name is not UTF-8 goes too.
    const testsupport::TemporaryFolder temporary;
    const std::string root = temporary.path().native();
    const std::string home = root + "/home";
    const std::string config = root + "/config";
    const std::string elsewhere = root + "/elsewhere/Desk";
    // Folder names are bytes: one that is not UTF-8 must come back as it is.
    const std::string notUtf8 = home + "/Bureau \xe9t\xe9";
    for (const std::string &folder :
         {home + "/Desk top", home + "/.config", elsewhere, config, notUtf8})
        ASSERT_TRUE(fs::create_directories(folder));

    const struct {
        const char *name;
        std::optional<std::string> configHome;
        std::string userDirs; // empty: no user-dirs.dirs at all
        std::string expected;
    } cases[] = {
        {"under $HOME", config,
         "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"$HOME/Desk top\"\n",
         home + "/Desk top"},
        {"absolute, trailing slash dropped", config, "  XDG_DESKTOP_DIR=\"" + elsewhere + "/\"\n",
         elsewhere},
        {"not UTF-8", config, "XDG_DESKTOP_DIR=\"$HOME/Bureau \xe9t\xe9\"\n", notUtf8},
        {"no config home: $HOME/.config", std::nullopt, "XDG_DESKTOP_DIR=\"$HOME/Desk top\"\n",
         home + "/Desk top"},
        {"relative config home is ignored", "config", "XDG_DESKTOP_DIR=\"$HOME/Desk top\"\n",
         home + "/Desk top"},
        {"no user-dirs.dirs", config, {}, {}},
        {"no desktop line", config, "XDG_MUSIC_DIR=\"$HOME/Desk top\"\n", {}},
        {"folder missing", config, "XDG_DESKTOP_DIR=\"$HOME/Gone\"\n", {}},
        {"relative value", config, "XDG_DESKTOP_DIR=\"Desk top\"\n", {}},
        {"not $HOME itself", config, "XDG_DESKTOP_DIR=\"$HOMEDesk\"\n", {}},
        {"$HOME turns the desktop off", config, "XDG_DESKTOP_DIR=\"$HOME\"\n", {}},
        {"the home folder by name too", config, "XDG_DESKTOP_DIR=\"" + home + "/\"\n", {}},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.name);
        const ScopedVariable homeVariable("HOME", home);
        const ScopedVariable configVariable("XDG_CONFIG_HOME", scenario.configHome);
        const std::string readFrom =
            (scenario.configHome && scenario.configHome->starts_with('/') ? *scenario.configHome
                                                                          : home + "/.config") +
            "/user-dirs.dirs";
        fs::remove(config + "/user-dirs.dirs");
        fs::remove(home + "/.config/user-dirs.dirs");
        if (!scenario.userDirs.empty()) {
            ASSERT_TRUE(std::ofstream(readFrom, std::ios::binary) << scenario.userDirs);
        }

        EXPECT_EQ(platform::desktopFolder(), fs::path(scenario.expected));
    }
}

} // namespace
