#pragma once

#include "tests/wayland/wayland_session.h"

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>

// GNOME Shell headless on a virtual monitor, with Runvoy's extension installed for the sandbox's
// user and enabled (unless told not to). Its windows are read through the shell's Eval, which
// its unsafe mode allows. The shell starts headless only where it cannot see logind, so it runs
// in a mount namespace of its own with /run/systemd hidden (which needs root), and it wants a
// system bus, for which a second private bus serves.
class GnomeSession final : public WaylandSession {
public:
    GnomeSession(const QProcessEnvironment &desktop, bool enableExtension);
    ~GnomeSession() override;

    // Names what is missing, empty when a session can be started.
    static QString missingTools();

    bool isReady() const override { return ready; }
    void useIn(QProcessEnvironment &environment) const override;
    std::vector<Window> windows() override;
    QString output() const override { return QString::fromLocal8Bit(printed); }

private:
    bool start(bool enableExtension);
    QByteArray evaluate(const QString &code);
    bool callShell(const QStringList &arguments, QByteArray *answer = nullptr);

    QProcessEnvironment environment;
    QProcess systemBus;
    QProcess shell;
    QByteArray printed;
    QString x11Display;
    QString x11Key; // the file XAUTHORITY names
    bool ready = false;
};
