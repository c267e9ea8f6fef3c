#include "tests/wayland/kwin_session.h"

#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartBoundMs = 30000;
constexpr char SocketName[] = "runvoy-kwin";

// Lists every window with what KWin knows of its state, then a closing line with its number.
QByteArray readerScript(int number) {
    return "var list = workspace.windowList ? workspace.windowList() : workspace.clientList();\n"
           "for (var i = 0; i < list.length; ++i) {\n"
           "    var w = list[i], area = workspace.clientArea(KWin.MaximizeArea, w);\n"
           "    var g = w.frameGeometry;\n"
           "    print('WINDOW\\t' + w.caption + '\\t' + w.minimized + '\\t' + (g.x === area.x &&\n"
           "          g.y === area.y && g.width === area.width && g.height === area.height) +\n"
           "          '\\t' + g.width + '\\t' + g.height);\n"
           "}\n"
           "print('READ " +
           QByteArray::number(number) + "');\n";
}

} // namespace

QString KWinSession::missingTools() {
    QStringList missing;
    for (const QString &tool : {u"kwin_wayland"_s, u"Xwayland"_s, u"gdbus"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       u"/platforms/libqwayland-generic.so"_s))
        missing << u"the Qt Wayland platform (qt6-wayland)"_s;
    return missing.join(u", "_s);
}

KWinSession::KWinSession(const QProcessEnvironment &desktop) {
    ready = folder.isValid() && missingTools().isEmpty() && start(desktop);
}

KWinSession::~KWinSession() {
    if (sessionPid > 0)
        ::kill(pid_t(sessionPid), SIGTERM);
    if (kwin.state() != QProcess::NotRunning) {
        kwin.terminate();
        if (!kwin.waitForFinished(StartBoundMs))
            kwin.kill();
    }
}

// The installed KWin carries a file capability that some machines refuse to run; a copy of it
// carries none and runs the same.
bool KWinSession::start(const QProcessEnvironment &desktop) {
    const QString binary = folder.filePath(u"kwin_wayland"_s);
    if (!QFile::copy(QStandardPaths::findExecutable(u"kwin_wayland"_s), binary))
        return false;
    const QString sessionFile = folder.filePath(u"session"_s);
    const QString session = folder.filePath(u"session.sh"_s);
    QFile script(session);
    if (!script.open(QIODevice::WriteOnly) ||
        script.write("#!/bin/sh\necho \"$$ $DISPLAY\" > '" + QFile::encodeName(sessionFile) +
                     ".part' && mv '" + QFile::encodeName(sessionFile) + ".part' '" +
                     QFile::encodeName(sessionFile) + "'\nexec sleep 100000\n") < 0)
        return false;
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);

    // KWin finds its own files where the system keeps them, not in the sandbox's folders.
    environment = desktop;
    environment.remove(u"XDG_DATA_DIRS"_s);
    environment.remove(u"XDG_CONFIG_DIRS"_s);
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    kwin.setProcessEnvironment(environment);
    kwin.setProcessChannelMode(QProcess::SeparateChannels);
    kwin.setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(&kwin, &QProcess::readyReadStandardError, [this] { readOutput(); });
    kwin.start(binary,
               {u"--virtual"_s, u"--width"_s, u"1024"_s, u"--height"_s, u"768"_s,
                u"--no-lockscreen"_s, u"--no-global-shortcuts"_s, u"--xwayland"_s, u"--socket"_s,
                QString::fromLatin1(SocketName), u"--exit-with-session"_s, session});
    QFile started(sessionFile);
    if (!QTest::qWaitFor([&] { return started.exists() || kwin.state() == QProcess::NotRunning; },
                         StartBoundMs) ||
        !started.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> fields = started.readAll().trimmed().split(' ');
    sessionPid = fields.value(0).toLongLong();
    x11Display = QString::fromLatin1(fields.value(1));
    // Scripts run once the workspace is up; a first reading tells.
    std::vector<Window> none;
    return !x11Display.isEmpty() && read(none);
}

void KWinSession::useIn(QProcessEnvironment &target) const {
    target.insert(u"WAYLAND_DISPLAY"_s, QString::fromLatin1(SocketName));
    target.insert(u"DISPLAY"_s, x11Display);
    target.insert(u"XDG_RUNTIME_DIR"_s, environment.value(u"XDG_RUNTIME_DIR"_s));
}

bool KWinSession::call(const QStringList &arguments) {
    QProcess gdbus;
    gdbus.setProcessEnvironment(environment);
    gdbus.setStandardOutputFile(QProcess::nullDevice());
    gdbus.start(u"gdbus"_s, QStringList{u"call"_s, u"--session"_s, u"--dest"_s, u"org.kde.KWin"_s,
                                        u"--object-path"_s, u"/Scripting"_s, u"--method"_s} +
                                arguments);
    return gdbus.waitForFinished(StartBoundMs) && gdbus.exitStatus() == QProcess::NormalExit &&
           gdbus.exitCode() == 0;
}

void KWinSession::readOutput() {
    printed += kwin.readAllStandardError();
}

std::vector<KWinSession::Window> KWinSession::windows() {
    std::vector<Window> found;
    read(found);
    return found;
}

bool KWinSession::read(std::vector<Window> &found) {
    const int number = ++readings;
    const QString name = u"runvoy-test-reader-%1"_s.arg(number);
    const QString path = folder.filePath(name + u".js"_s);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly) || script.write(readerScript(number)) < 0)
        return false;
    script.close();
    const QByteArray end = "js: READ " + QByteArray::number(number) + '\n';
    const qsizetype from = printed.size();
    if (!call({u"org.kde.kwin.Scripting.loadScript"_s, path, name}) ||
        !call({u"org.kde.kwin.Scripting.start"_s}) ||
        !QTest::qWaitFor([&] { return printed.indexOf(end, from) >= 0; }, StartBoundMs))
        return false;
    call({u"org.kde.kwin.Scripting.unloadScript"_s, name});
    const QByteArray lines = printed.mid(from, printed.indexOf(end, from) - from);
    for (const QByteArray &line : lines.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 6 || fields[0] != "js: WINDOW")
            continue;
        found.push_back({QString::fromUtf8(fields[1]), fields[2] == "true", fields[3] == "true",
                         QSize(fields[4].toInt(), fields[5].toInt())});
    }
    return true;
}
