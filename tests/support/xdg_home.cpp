#include "tests/support/xdg_home.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace testsupport {

bool makeXdgHome(const QString &root) {
    const QDir folder(root);
    for (const QString &name :
         {u"home"_s, u"config"_s, u"data/applications"_s, u"system"_s, u"runtime"_s}) {
        if (!folder.mkpath(name))
            return false;
    }
    return QFile::setPermissions(folder.filePath(u"runtime"_s),
                                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) &&
           QFile::link(u"/usr/share/mime"_s, folder.filePath(u"system/mime"_s));
}

QProcessEnvironment xdgEnvironment(const QString &root, const QString &busAddress) {
    const QDir folder(root);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &key : environment.keys()) {
        if (key.startsWith(u"XDG_") || key.startsWith(u"DBUS_") || key.startsWith(u"GIO_"))
            environment.remove(key);
    }
    environment.insert(u"HOME"_s, folder.filePath(u"home"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, folder.filePath(u"config"_s));
    environment.insert(u"XDG_CONFIG_DIRS"_s, folder.filePath(u"system"_s));
    environment.insert(u"XDG_DATA_HOME"_s, folder.filePath(u"data"_s));
    environment.insert(u"XDG_DATA_DIRS"_s, folder.filePath(u"system"_s));
    environment.insert(u"XDG_RUNTIME_DIR"_s, folder.filePath(u"runtime"_s));
    if (!busAddress.isEmpty())
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, busAddress);
    environment.insert(u"GIO_USE_VFS"_s, u"local"_s);
    return environment;
}

} // namespace testsupport
