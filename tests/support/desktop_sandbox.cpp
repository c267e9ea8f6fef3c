#include "tests/support/desktop_sandbox.h"

#include "tests/support/file_bytes.h"
#include "tests/support/xdg_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace {

constexpr int WaitBoundMs = 30000;

// Logs one start: a program item logs itself, a handler is called with "--handler", its tag and
// what it opens. The start's folder and arguments replace the tag's own log, and one line with
// the time (read before anything else) is added to the log of all starts.
const QByteArray StartLogger =
    "#!/bin/sh\n"
    "stamp=$(date +%s%N)\n"
    "tag=program; target=$0\n"
    "if [ \"${1:-}\" = --handler ]; then\n"
    "    tag=$2; shift 2; target=${1:-}\n"
    "fi\n"
    "folder=$(pwd -P)\n"
    "log=\"$RUNVOY_TEST_LOGS/$tag\"\n"
    "{ printf 'cwd=%s\\n' \"$folder\"\n"
    "  for a; do printf 'arg=%s\\n' \"$a\"; done\n"
    "} > \"$log.part\" && mv \"$log.part\" \"$log\"\n"
    "printf '%s\\t%s\\t%s\\t%s\\t%s\\n' \"$stamp\" \"$tag\" \"$target\" \"$#\" \"$folder\" "
    ">> \"$RUNVOY_TEST_LOGS/starts\"\n";

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

std::filesystem::path systemPath(const QString &path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

bool writeFile(const QString &path, const QByteArray &contents, bool executable) {
    testsupport::writeFile(systemPath(path), std::string_view(contents.data(), contents.size()));
    QFile file(path);
    return file.size() == contents.size() &&
           (!executable || file.setPermissions(file.permissions() | QFile::ExeOwner |
                                               QFile::ExeGroup | QFile::ExeOther));
}

QByteArray readFile(const QString &path) {
    return QByteArray::fromStdString(testsupport::fileBytes(systemPath(path)));
}

QString canonical(const QString &path) {
    return QFileInfo(path).canonicalFilePath();
}

QByteArray shellQuoted(const QString &path) {
    return "'" + QFile::encodeName(path) + "'";
}

std::string logLines(const QStringList &lines) {
    return QString(lines.join(u'\n') + u'\n').toStdString();
}

QByteArray batchBytes(const QList<ItemLines> &items) {
    std::string bytes;
    for (const ItemLines &item : items) {
        bytes += testsupport::batchItem(QFile::encodeName(item.path).toStdString(),
                                        item.state.toStdString(), item.delay.toStdString());
    }
    return QByteArray::fromStdString(bytes);
}

DesktopSandbox::DesktopSandbox(Bus wanted) {
    if (!root.isValid() || !testsupport::makeXdgHome(root.path()))
        return;
    for (const QString &folder : {u"home/Desktop"_s, u"services"_s, u"logs"_s, u"items"_s}) {
        if (!QDir(root.path()).mkpath(folder))
            return;
    }
    ready = writeFile(at(u"log-start"_s), StartLogger, true) &&
            writeHandler(u"files"_s, "inode/directory") && writeHandler(u"text"_s, "text/plain") &&
            writeFile(at(u"config/mimeapps.list"_s), "[Default Applications]\n"
                                                     "inode/directory=runvoy-test-files.desktop\n"
                                                     "text/plain=runvoy-test-text.desktop\n") &&
            writeFile(at(u"config/user-dirs.dirs"_s), "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
    if (wanted == Bus::Private)
        ready = ready && startBus();
    else
        busAddress = u"unix:path="_s + at(u"no-bus"_s);
}

DesktopSandbox::~DesktopSandbox() {
    if (bus.state() != QProcess::NotRunning) {
        bus.terminate();
        bus.waitForFinished(WaitBoundMs);
    }
    // Removed by bytes: the temporary folder cannot remove a name that is not UTF-8.
    std::error_code ignored;
    std::filesystem::remove_all(systemPath(root.path()), ignored);
}

QProcessEnvironment DesktopSandbox::environment() const {
    QProcessEnvironment environment = testsupport::xdgEnvironment(root.path(), busAddress);
    environment.insert(u"RUNVOY_TEST_LOGS"_s, at(u"logs"_s));
    return environment;
}

QProcessEnvironment DesktopSandbox::programEnvironment() const {
    QProcessEnvironment environment = this->environment();
    for (const QString &key : environment.keys()) {
        if (key.startsWith(u"QT_") || key == u"DISPLAY" || key == u"WAYLAND_DISPLAY")
            environment.remove(key);
    }
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}

QByteArray DesktopSandbox::applicationEntry(const QString &tag, const QByteArray &more) const {
    return "[Desktop Entry]\nType=Application\nName=" + tag.toUtf8() + "\nExec=\"" +
           QFile::encodeName(at(u"log-start"_s)) + "\" --handler " + tag.toUtf8() + more + "\n";
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

bool DesktopSandbox::addProgram(const QString &path) const {
    return writeFile(path, StartLogger, true);
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

QList<ItemStart> DesktopSandbox::starts() const {
    QFile log(at(u"logs/starts"_s));
    QList<ItemStart> starts;
    if (!log.open(QIODevice::ReadOnly))
        return starts;
    for (const QByteArray &line : log.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 5)
            continue;
        starts.append({fields[0].toLongLong() / 1000000, QString::fromUtf8(fields[1]),
                       QFile::decodeName(fields[2]), fields[3].toInt(),
                       QFile::decodeName(fields[4])});
    }
    return starts;
}

QList<ItemStart> DesktopSandbox::waitForStarts(int count) const {
    // Whoever asked checks the count; a short list is their failure to report.
    (void)QTest::qWaitFor([&] { return starts().size() >= count; }, WaitBoundMs);
    return starts();
}

void DesktopSandbox::forgetStarts() const {
    QFile::remove(at(u"logs/starts"_s));
}

QString DesktopSandbox::writeBatch(const QString &name, const QList<ItemLines> &items) const {
    const QString path = at(u"home/Desktop/"_s + name + u".rvq"_s);
    return writeFile(path, batchBytes(items)) ? path : QString();
}
