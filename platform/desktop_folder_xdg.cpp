#include "platform/desktop_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

QString configHome() {
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return configured;
    return QDir::homePath() + u"/.config";
}

// The value of XDG_DESKTOP_DIR in user-dirs.dirs: a double-quoted path that is absolute or
// starts with $HOME; anything else counts as not configured.
QString configuredDesktop(const QByteArray &contents) {
    QString found;
    for (const QByteArray &rawLine : contents.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (!line.startsWith(u"XDG_DESKTOP_DIR="))
            continue;
        QString value = line.mid(qsizetype(sizeof("XDG_DESKTOP_DIR=") - 1));
        if (value.size() < 2 || !value.startsWith(u'"') || !value.endsWith(u'"'))
            continue;
        value = value.mid(1, value.size() - 2);
        value.replace(u"\\\""_s, u"\""_s);
        // A folder set to the home folder itself is how the user turns it off.
        if (value == u"$HOME" || value == u"$HOME/")
            found.clear();
        else if (value.startsWith(u"$HOME/"))
            found = QDir::homePath() + value.mid(5);
        else if (value.startsWith(u'/'))
            found = value;
    }
    return found;
}

} // namespace

QString desktopFolder() {
    QFile file(configHome() + u"/user-dirs.dirs");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString folder = configuredDesktop(file.readAll());
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || QDir(folder) == QDir::home())
        return {};
    return folder;
}

} // namespace platform
