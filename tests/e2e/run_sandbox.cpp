#include "tests/e2e/run_sandbox.h"

#include "tests/support/xdg_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include <fstream>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartsBoundMs = 30000;

// Logs one start to $RUNVOY_E2E_LOG: a program item logs itself, a handler is called with
// "--handler", its tag and the file it opens. The clock is read before anything else.
const QByteArray StartLogger =
    "#!/bin/sh\n"
    "stamp=$(date +%s%N)\n"
    "kind=program; target=$0\n"
    "if [ \"${1:-}\" = --handler ]; then\n"
    "    kind=$2; target=$3; shift 2\n"
    "fi\n"
    "printf '%s\\t%s\\t%s\\t%s\\t%s\\n' \"$stamp\" \"$kind\" \"$target\" "
    "\"$#\" \"$(pwd -P)\" >> \"$RUNVOY_E2E_LOG\"\n";

QByteArray handlerEntry(const QString &logger, const QByteArray &tag, const QByteArray &mimeType) {
    return "[Desktop Entry]\nType=Application\nName=" + tag + "\nExec=\"" +
           QFile::encodeName(logger) + "\" --handler " + tag + " %f\nMimeType=" + mimeType + ";\n";
}

bool makeExecutable(const QString &path) {
    return QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner |
                                           QFile::ExeGroup | QFile::ExeOther);
}

} // namespace

bool writeFile(const QString &path, const QByteArray &contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

bool writeBytes(const std::filesystem::path &path, const QByteArray &contents) {
    std::ofstream file(path, std::ios::binary);
    file.write(contents.constData(), contents.size());
    file.close();
    return bool(file);
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString canonical(const QString &path) {
    return QFileInfo(path).canonicalFilePath();
}

RunSandbox::RunSandbox() {
    if (!root.isValid() || !testsupport::makeXdgHome(root.path()))
        return;
    for (const QString &folder : {u"home/Desktop"_s, u"bin"_s, u"items"_s}) {
        if (!QDir(root.path()).mkpath(folder))
            return;
    }
    const QString logger = at(u"bin/log-start"_s);
    ready =
        writeFile(logger, StartLogger) && makeExecutable(logger) &&
        writeFile(at(u"data/applications/runvoy-e2e-text.desktop"_s),
                  handlerEntry(logger, "text", "text/plain")) &&
        writeFile(at(u"data/applications/runvoy-e2e-folder.desktop"_s),
                  handlerEntry(logger, "folder", "inode/directory")) &&
        writeFile(at(u"config/mimeapps.list"_s), "[Default Applications]\n"
                                                 "text/plain=runvoy-e2e-text.desktop\n"
                                                 "inode/directory=runvoy-e2e-folder.desktop\n") &&
        writeFile(at(u"config/user-dirs.dirs"_s), "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
}

bool RunSandbox::addProgram(const QString &path) const {
    return QFile::copy(at(u"bin/log-start"_s), path) && makeExecutable(path);
}

QByteArray batchBytes(const QList<ItemLines> &items) {
    QByteArray bytes;
    for (const ItemLines &item : items) {
        for (const QString *value : {&item.path, &item.delay, &item.state})
            bytes += '"' + QFile::encodeName(*value) + "\"\r\n";
    }
    return bytes;
}

QString RunSandbox::writeBatch(const QString &name, const QList<ItemLines> &items) const {
    const QString path = at(u"home/Desktop/"_s + name + u".rvq"_s);
    return writeFile(path, batchBytes(items)) ? path : QString();
}

QProcessEnvironment RunSandbox::environment() const {
    // A bus that is not there: nothing reaches the machine's session, and nothing starts one.
    QProcessEnvironment environment =
        testsupport::xdgEnvironment(root.path(), u"unix:path="_s + at(u"no-bus"_s));
    for (const QString &key : environment.keys()) {
        if (key.startsWith(u"QT_") || key == u"DISPLAY" || key == u"WAYLAND_DISPLAY")
            environment.remove(key);
    }
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"RUNVOY_E2E_LOG"_s, at(u"starts.log"_s));
    return environment;
}

QList<ItemStart> RunSandbox::starts() const {
    QList<ItemStart> starts;
    for (const QByteArray &line : readFile(at(u"starts.log"_s)).split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 5)
            continue;
        starts.append({fields[0].toLongLong() / 1000000, QString::fromUtf8(fields[1]),
                       QFile::decodeName(fields[2]), fields[3].toInt(),
                       QFile::decodeName(fields[4])});
    }
    return starts;
}

QList<ItemStart> RunSandbox::waitForStarts(int count) const {
    // Whoever asked checks the count; a short list is their failure to report.
    (void)QTest::qWaitFor([&] { return starts().size() >= count; }, StartsBoundMs);
    return starts();
}

std::optional<QString> RunSandbox::storedSetting(const QString &key) const {
    if (!QFileInfo(settingsPath()).isFile())
        return std::nullopt;
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    const QVariant value = settings.value(u"Settings/"_s + key);
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}
