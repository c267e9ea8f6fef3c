#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace testsupport {

// A user's folders of their own under root, for processes that must see nothing of the
// machine's applications, defaults or session bus: home, config, data/applications, system
// (holding only the installed MIME database) and a private runtime folder. False when one
// cannot be made.
bool makeXdgHome(const QString &root);

// The system environment with every XDG, D-Bus and GIO setting replaced by the folders under
// root, and the session bus at busAddress (none when it is empty).
QProcessEnvironment xdgEnvironment(const QString &root, const QString &busAddress);

} // namespace testsupport
