#include "tests/wayland/gnome_session.h"

#include "tests/wayland/kwin_session.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartBoundMs = 60000;
constexpr char SocketName[] = "runvoy-gnome";

// Copies a folder of files, no deeper.
bool copyFolder(const QString &from, const QString &to) {
    if (!QDir().mkpath(to))
        return false;
    for (const QString &name : QDir(from).entryList(QDir::Files)) {
        if (!QFile::copy(from + u'/' + name, to + u'/' + name))
            return false;
    }
    return true;
}

} // namespace

QString GnomeSession::missingTools() {
    QStringList missing;
    for (const QString &tool : {u"gnome-shell"_s, u"unshare"_s, u"dbus-daemon"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    if (geteuid() != 0)
        missing << u"root rights (to hide logind from the shell)"_s;
    const QString kwinMissing = KWinSession::missingTools();
    if (kwinMissing.contains(u"Qt Wayland"_s) || kwinMissing.contains(u"Xwayland"_s))
        missing << u"Xwayland and the Qt Wayland platform"_s;
    return missing.join(u", "_s);
}

GnomeSession::GnomeSession(const QProcessEnvironment &desktop, bool enableExtension)
    : environment(desktop) {
    ready = missingTools().isEmpty() && start(enableExtension);
}

GnomeSession::~GnomeSession() {
    for (QProcess *process : {&shell, &systemBus}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(StartBoundMs))
                process->kill();
        }
    }
}

bool GnomeSession::start(bool enableExtension) {
    // The extension as this shell loads it, installed for the sandbox's user.
    QProcess version;
    version.start(u"gnome-shell"_s, {u"--version"_s});
    version.waitForFinished(StartBoundMs);
    const int major =
        QString::fromLatin1(version.readAll()).section(u' ', -1).section(u'.', 0, 0).toInt();
    const QString format = major >= 45 ? u"module"_s : u"legacy"_s;
    const QString extension = QStringLiteral(GNOME_EXTENSION);
    if (!copyFolder(QStringLiteral(GNOME_EXTENSIONS) + u'/' + format + u'/' + extension,
                    environment.value(u"XDG_DATA_HOME"_s) + u"/gnome-shell/extensions/"_s +
                        extension))
        return false;

    systemBus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
    if (!QTest::qWaitFor([&] { return systemBus.canReadLine(); }, StartBoundMs))
        return false;
    environment.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s,
                       QString::fromUtf8(systemBus.readLine()).trimmed());
    // The shell finds its own files where the system keeps them; its settings live in memory.
    environment.remove(u"XDG_DATA_DIRS"_s);
    environment.remove(u"XDG_CONFIG_DIRS"_s);
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.insert(u"GSETTINGS_BACKEND"_s, u"memory"_s);
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&shell, &QProcess::readyRead, [this] { printed += shell.readAll(); });
    shell.start(u"unshare"_s,
                {u"-m"_s, u"sh"_s, u"-c"_s,
                 u"mount -t tmpfs tmpfs /run/systemd 2>/dev/null; exec gnome-shell --headless "
                 "--virtual-monitor 1024x768 --wayland --wayland-display %1 --unsafe-mode"_s.arg(
                     QString::fromLatin1(SocketName))});
    if (!QTest::qWaitFor(
            [&] {
                return shell.state() == QProcess::NotRunning ||
                       printed.contains("GNOME Shell started");
            },
            StartBoundMs) ||
        shell.state() != QProcess::Running)
        return false;
    // Its X server admits only the clients that show its key.
    x11Display = QString::fromUtf8(evaluate(u"imports.gi.GLib.getenv('DISPLAY')"_s)).remove(u'"');
    x11Key = QString::fromUtf8(evaluate(u"imports.gi.GLib.getenv('XAUTHORITY')"_s)).remove(u'"');
    return !x11Display.isEmpty() &&
           (!enableExtension ||
            callShell({u"org.gnome.Shell.Extensions.EnableExtension"_s, extension}));
}

void GnomeSession::useIn(QProcessEnvironment &target) const {
    target.insert(u"WAYLAND_DISPLAY"_s, QString::fromLatin1(SocketName));
    target.insert(u"DISPLAY"_s, x11Display);
    target.insert(u"XAUTHORITY"_s, x11Key);
    target.insert(u"XDG_RUNTIME_DIR"_s, environment.value(u"XDG_RUNTIME_DIR"_s));
}

bool GnomeSession::callShell(const QStringList &arguments, QByteArray *answer) {
    QProcess gdbus;
    gdbus.setProcessEnvironment(environment);
    gdbus.start(u"gdbus"_s,
                QStringList{u"call"_s, u"--session"_s, u"--dest"_s, u"org.gnome.Shell"_s,
                            u"--object-path"_s, u"/org/gnome/Shell"_s, u"--method"_s} +
                    arguments);
    const bool answered = gdbus.waitForFinished(StartBoundMs) &&
                          gdbus.exitStatus() == QProcess::NormalExit && gdbus.exitCode() == 0;
    if (answer != nullptr)
        *answer = gdbus.readAllStandardOutput();
    return answered;
}

// What the code evaluates to inside the shell, as JSON. gdbus prints the answer as a GVariant
// text, "(true, '<json>')"; the JSON here never holds a quote of the other kind.
QByteArray GnomeSession::evaluate(const QString &code) {
    QByteArray answer;
    if (!callShell({u"org.gnome.Shell.Eval"_s, code}, &answer) || !answer.startsWith("(true, "))
        return {};
    answer = answer.trimmed();
    return answer.mid(8, answer.size() - 10);
}

std::vector<GnomeSession::Window> GnomeSession::windows() {
    const QByteArray json =
        evaluate(u"global.get_window_actors().map(a => a.meta_window).map(w => [w.get_title(), "
                 "w.get_wm_class(), w.get_pid(), w.minimized, w.get_maximized() === 3, "
                 "w.get_frame_rect().width, w.get_frame_rect().height])"_s);
    std::vector<Window> found;
    for (const QJsonValue &entry : QJsonDocument::fromJson(json).array()) {
        const QJsonArray fields = entry.toArray();
        found.push_back({fields[0].toString(), fields[3].toBool(), fields[4].toBool(),
                         QSize(fields[5].toInt(), fields[6].toInt())});
    }
    return found;
}
