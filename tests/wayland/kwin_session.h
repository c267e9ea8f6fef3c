#pragma once

#include "tests/wayland/wayland_session.h"

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>

// KWin on a virtual screen. Its windows are read through a script of the test's own whose
// print() lines land in KWin's error output.
class KWinSession final : public WaylandSession {
public:
    explicit KWinSession(const QProcessEnvironment &desktop);
    ~KWinSession() override;

    // Names what is not installed, empty when a session can be started.
    static QString missingTools();

    bool isReady() const override { return ready; }
    void useIn(QProcessEnvironment &environment) const override;
    std::vector<Window> windows() override;
    QString output() const override { return QString::fromLocal8Bit(printed); }

private:
    bool start(const QProcessEnvironment &desktop);
    bool call(const QStringList &arguments);
    bool read(std::vector<Window> &found);
    void readOutput();

    QTemporaryDir folder;
    QProcess kwin;
    QProcessEnvironment environment;
    QByteArray printed;
    QString x11Display;
    qint64 sessionPid = 0; // the program KWin runs as its session, which holds it open
    int readings = 0;
    bool ready = false;
};
