#pragma once

#include "platform/shell.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

// A desktop of its own for the shell's probe processes: a private session bus, file handlers
// that log how they were started, and nothing of the machine's own applications or defaults.
// The content types still come from the installed MIME database.
class DesktopSandbox {
public:
    DesktopSandbox();
    ~DesktopSandbox();
    DesktopSandbox(const DesktopSandbox &) = delete;
    DesktopSandbox &operator=(const DesktopSandbox &) = delete;

    // False when the folders, handlers or the bus could not be set up.
    bool isReady() const { return ready; }

    QString at(const QString &relative) const { return root.filePath(relative); }
    QString item(const QString &relative) const { return at(QStringLiteral("items/") + relative); }

    // An application entry whose program logs under tag, followed by more of its Exec line.
    QByteArray applicationEntry(const QString &tag, const QByteArray &more = {}) const;
    // Makes the entry the default handler of mimeType, replacing every earlier default.
    bool setDefaultHandler(const QByteArray &mimeType, const QString &desktopId) const;
    // Lets the bus start the GApplication service id on demand, logging under tag; given a
    // window program, the service also shows a window of it for every file it opens.
    bool addBusService(const QString &id, const QString &tag,
                       const QByteArray &windowProgram = {}) const;

    // Runs the probe on path in workingFolder (the sandbox root by default) and returns its exit
    // code: 0 when the shell reported success.
    int probe(const QString &path, platform::ShowCommand show,
              const QString &workingFolder = {}) const;
    // The same for a path given as the bytes the file system holds, UTF-8 or not.
    int probe(const QByteArray &path, platform::ShowCommand show,
              const QString &workingFolder = {}) const;

    // What a handler logged under tag, waiting for it a while; empty when it never ran.
    std::string launchLog(const QString &tag) const;
    bool hasLogs() const;

    // Gives the programs that the bus starts from now on variable, as a session's start-up does.
    bool setBusEnvironment(const QString &variable, const QString &value) const;

    // What the probes and the program run with: this desktop's folders and bus.
    QProcessEnvironment environment() const;

private:
    bool writeHandler(const QString &tag, const QByteArray &mimeType) const;
    bool startBus();

    QTemporaryDir root;
    QProcess bus;
    QString busAddress;
    bool ready = false;
};

bool writeFile(const QString &path, const QByteArray &contents, bool executable = false);
QByteArray shellQuoted(const QString &path);
// The lines joined as a log holds them.
std::string logLines(const QStringList &lines);
