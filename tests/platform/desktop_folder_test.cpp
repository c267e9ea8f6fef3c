#include "platform/desktop_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Sets an environment variable for one scope and puts the old value back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const std::optional<QString> &value)
        : name(name),
          previous(qEnvironmentVariableIsSet(name) ? std::optional(qEnvironmentVariable(name))
                                                   : std::nullopt) {
        assign(value);
    }
    ~ScopedVariable() { assign(previous); }
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    void assign(const std::optional<QString> &value) {
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    const char *name;
    std::optional<QString> previous;
};

TEST(DesktopFolder, readsTheConfiguredFolderAndRejectsWhatIsNotOne) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString home = root.filePath(u"home"_s);
    const QString elsewhere = root.filePath(u"elsewhere/Desk"_s);
    for (const QString &folder : QStringList{home + u"/Desk top"_s, home + u"/.config"_s, elsewhere,
                                             root.filePath(u"config"_s)})
        ASSERT_TRUE(QDir().mkpath(folder));

    const struct {
        const char *name;
        std::optional<QString> configHome;
        QByteArray userDirs; // empty: no user-dirs.dirs at all
        QString expected;
    } cases[] = {
        {"under $HOME", root.filePath(u"config"_s),
         "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"$HOME/Desk top\"\n",
         home + u"/Desk top"_s},
        {"absolute, trailing slash dropped", root.filePath(u"config"_s),
         "  XDG_DESKTOP_DIR=\"" + QFile::encodeName(elsewhere) + "/\"\n", elsewhere},
        {"no config home: $HOME/.config", std::nullopt, "XDG_DESKTOP_DIR=\"$HOME/Desk top\"\n",
         home + u"/Desk top"_s},
        {"relative config home is ignored", u"config"_s, "XDG_DESKTOP_DIR=\"$HOME/Desk top\"\n",
         home + u"/Desk top"_s},
        {"no user-dirs.dirs", root.filePath(u"config"_s), {}, {}},
        {"no desktop line", root.filePath(u"config"_s), "XDG_MUSIC_DIR=\"$HOME/Desk top\"\n", {}},
        {"folder missing", root.filePath(u"config"_s), "XDG_DESKTOP_DIR=\"$HOME/Gone\"\n", {}},
        {"relative value", root.filePath(u"config"_s), "XDG_DESKTOP_DIR=\"Desk top\"\n", {}},
        {"not $HOME itself", root.filePath(u"config"_s), "XDG_DESKTOP_DIR=\"$HOMEDesk\"\n", {}},
        {"$HOME turns the desktop off",
         root.filePath(u"config"_s),
         "XDG_DESKTOP_DIR=\"$HOME\"\n",
         {}},
        {"the home folder by name too",
         root.filePath(u"config"_s),
         "XDG_DESKTOP_DIR=\"" + QFile::encodeName(home) + "/\"\n",
         {}},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.name);
        const ScopedVariable homeVariable("HOME", home);
        const ScopedVariable configVariable("XDG_CONFIG_HOME", scenario.configHome);
        const QString readFrom = (scenario.configHome && QDir::isAbsolutePath(*scenario.configHome)
                                      ? *scenario.configHome
                                      : home + u"/.config"_s) +
                                 u"/user-dirs.dirs"_s;
        QFile::remove(root.filePath(u"config/user-dirs.dirs"_s));
        QFile::remove(home + u"/.config/user-dirs.dirs"_s);
        if (!scenario.userDirs.isEmpty()) {
            QFile file(readFrom);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(scenario.userDirs);
        }

        EXPECT_EQ(platform::desktopFolder().toStdString(), scenario.expected.toStdString());
    }
}

} // namespace
