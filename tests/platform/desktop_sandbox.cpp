#include "tests/platform/desktop_sandbox.h"

#include "tests/support/xdg_home.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int WaitBoundMs = 20000;

// Everything on the bus is allowed; only the services folder is the sandbox's own.
QByteArray busConfiguration(const QString &servicesFolder) {
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig>\n"
           "  <type>session</type>\n"
           "  <listen>unix:tmpdir=/tmp</listen>\n"
           "  <auth>EXTERNAL</auth>\n"
           "  <servicedir>" +
           servicesFolder.toHtmlEscaped().toUtf8() +
           "</servicedir>\n"
           "  <policy context=\"default\">\n"
           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
           "    <allow eavesdrop=\"true\"/>\n"
           "    <allow own=\"*\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}

} // namespace

bool writeFile(const QString &path, const QByteArray &contents, bool executable) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFile::ExeOwner);
}

QByteArray shellQuoted(const QString &path) {
    return "'" + QFile::encodeName(path) + "'";
}

std::string logLines(const QStringList &lines) {
    return QString(lines.join(u'\n') + u'\n').toStdString();
}

DesktopSandbox::DesktopSandbox() {
    if (!root.isValid() || !testsupport::makeXdgHome(root.path()))
        return;
    for (const QString &folder : {u"services"_s, u"logs"_s, u"items"_s}) {
        if (!QDir(root.path()).mkpath(folder))
            return;
    }
    const QByteArray logLaunch = "#!/bin/sh\n"
                                 "log=\"$RUNVOY_TEST_LOGS/$1\"; shift\n"
                                 "{ printf 'cwd=%s\\n' \"$(pwd -P)\"\n"
                                 "  for a; do printf 'arg=%s\\n' \"$a\"; done\n"
                                 "} > \"$log.part\" && mv \"$log.part\" \"$log\"\n";
    ready = writeFile(at(u"log-launch"_s), logLaunch, true) &&
            writeHandler(u"files"_s, "inode/directory") && writeHandler(u"text"_s, "text/plain") &&
            writeFile(at(u"config/mimeapps.list"_s), "[Default Applications]\n"
                                                     "inode/directory=runvoy-test-files.desktop\n"
                                                     "text/plain=runvoy-test-text.desktop\n") &&
            startBus();
}

DesktopSandbox::~DesktopSandbox() {
    if (bus.state() != QProcess::NotRunning) {
        bus.terminate();
        bus.waitForFinished(WaitBoundMs);
    }
}

QByteArray DesktopSandbox::applicationEntry(const QString &tag, const QByteArray &more) const {
    return "[Desktop Entry]\nType=Application\nName=" + tag.toUtf8() + "\nExec=\"" +
           QFile::encodeName(at(u"log-launch"_s)) + "\" " + tag.toUtf8() + more + "\n";
}

bool DesktopSandbox::writeHandler(const QString &tag, const QByteArray &mimeType) const {
    return writeFile(at(u"data/applications/runvoy-test-"_s + tag + u".desktop"_s),
                     applicationEntry(tag, " %f") + "MimeType=" + mimeType + ";\n");
}

bool DesktopSandbox::setDefaultHandler(const QByteArray &mimeType, const QString &desktopId) const {
    return writeFile(at(u"config/mimeapps.list"_s),
                     "[Default Applications]\n" + mimeType + "=" + desktopId.toUtf8() + "\n");
}

bool DesktopSandbox::addBusService(const QString &id, const QString &tag,
                                   const QByteArray &windowProgram) const {
    const QByteArray window = windowProgram.isEmpty() ? QByteArray() : " \"" + windowProgram + '"';
    return writeFile(at(u"services/"_s + id + u".service"_s),
                     "[D-BUS Service]\nName=" + id.toUtf8() + "\nExec=\"" + DBUS_FILE_HANDLER +
                         "\" " + id.toUtf8() + " \"" + QFile::encodeName(at(u"logs/"_s + tag)) +
                         '"' + window + "\n");
}

bool DesktopSandbox::setBusEnvironment(const QString &variable, const QString &value) const {
    QProcess update;
    update.setProcessEnvironment(environment());
    update.start(u"dbus-update-activation-environment"_s, {variable + u'=' + value});
    return update.waitForFinished(WaitBoundMs) && update.exitStatus() == QProcess::NormalExit &&
           update.exitCode() == 0;
}

bool DesktopSandbox::startBus() {
    if (!writeFile(at(u"bus.conf"_s), busConfiguration(at(u"services"_s))))
        return false;
    bus.setProcessEnvironment(environment());
    bus.start(u"dbus-daemon"_s,
              {u"--config-file="_s + at(u"bus.conf"_s), u"--nofork"_s, u"--print-address"_s});
    if (!QTest::qWaitFor([&] { return bus.canReadLine() || bus.state() == QProcess::NotRunning; },
                         WaitBoundMs))
        return false;
    busAddress = QString::fromUtf8(bus.readLine()).trimmed();
    return !busAddress.isEmpty();
}

QProcessEnvironment DesktopSandbox::environment() const {
    QProcessEnvironment environment = testsupport::xdgEnvironment(root.path(), busAddress);
    environment.insert(u"RUNVOY_TEST_LOGS"_s, at(u"logs"_s));
    return environment;
}

int DesktopSandbox::probe(const QString &path, platform::ShowCommand show,
                          const QString &workingFolder) const {
    return probe(QFile::encodeName(path), show, workingFolder);
}

int DesktopSandbox::probe(const QByteArray &path, platform::ShowCommand show,
                          const QString &workingFolder) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setWorkingDirectory(workingFolder.isEmpty() ? root.path() : workingFolder);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QString::fromUtf8(SHELL_OPEN_PROBE), {QString::number(static_cast<int>(show))});
    process.write(path);
    process.closeWriteChannel();
    if (!process.waitForFinished(WaitBoundMs) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

std::string DesktopSandbox::launchLog(const QString &tag) const {
    QFile log(at(u"logs/"_s + tag));
    if (!QTest::qWaitFor([&] { return log.exists(); }, WaitBoundMs) ||
        !log.open(QIODevice::ReadOnly))
        return {};
    return log.readAll().toStdString();
}

bool DesktopSandbox::hasLogs() const {
    return !QDir(at(u"logs"_s)).isEmpty();
}
