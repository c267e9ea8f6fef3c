#pragma once

#include "platform/shell.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

// One start of an item, as its program or its handler logged it.
struct ItemStart {
    qint64 atMs = 0;   // wall clock, milliseconds since the epoch
    QString kind;      // "program", or the tag of the handler that opened the item
    QString path;      // the program's own path, or the file its handler was given
    int arguments = 0; // arguments after the path
    QString folder;    // the folder it was started in
};

// One item of a batch file, as its three quoted lines hold it.
struct ItemLines {
    QString path;
    QString delay = QStringLiteral("0");
    QString state = QStringLiteral("Normal");

    bool operator==(const ItemLines &) const = default;
};

// A user and a desktop of the test's own, for the program's runs and the shell's probes: a home
// with a desktop folder, a settings folder, handlers for text files and folders that log every
// start, and nothing of the machine's own applications, defaults or session bus. The content
// types still come from the installed MIME database. The session bus is a private one, or one
// that is not there, so that nothing starts one.
class DesktopSandbox {
public:
    enum class Bus { Private, None };

    explicit DesktopSandbox(Bus bus = Bus::Private);
    ~DesktopSandbox();
    DesktopSandbox(const DesktopSandbox &) = delete;
    DesktopSandbox &operator=(const DesktopSandbox &) = delete;

    // False when the folders, handlers or the bus could not be set up.
    bool isReady() const { return ready; }

    QString at(const QString &relative) const { return root.filePath(relative); }
    QString item(const QString &relative) const { return at(QStringLiteral("items/") + relative); }

    // What the probes get: this desktop's folders and bus.
    QProcessEnvironment environment() const;
    // What the program gets: that, and no display; its own windows go to the offscreen screen.
    QProcessEnvironment programEnvironment() const;

    // An application entry whose program logs under tag, followed by more of its Exec line.
    QByteArray applicationEntry(const QString &tag, const QByteArray &more = {}) const;
    // Makes the entry the default handler of mimeType, replacing every earlier default.
    bool setDefaultHandler(const QByteArray &mimeType, const QString &desktopId) const;
    // Lets the bus start the GApplication service id on demand, logging under tag; given a
    // window program, the service also shows a window of it for every file it opens.
    bool addBusService(const QString &id, const QString &tag,
                       const QByteArray &windowProgram = {}) const;
    // Gives the programs that the bus starts from now on variable, as a session's start-up does.
    bool setBusEnvironment(const QString &variable, const QString &value) const;
    // Places an executable program at path that logs how it was started.
    bool addProgram(const QString &path) const;

    // Runs the probe on path in workingFolder (the sandbox root by default) and returns its exit
    // code: 0 when the shell reported success.
    int probe(const QString &path, platform::ShowCommand show,
              const QString &workingFolder = {}) const;
    // The same for a path given as the bytes the file system holds, UTF-8 or not.
    int probe(const QByteArray &path, platform::ShowCommand show,
              const QString &workingFolder = {}) const;

    // What the last start logged under tag showed: its folder and arguments, one a line, after
    // waiting for it a while; empty when it never ran.
    std::string launchLog(const QString &tag) const;
    bool hasLogs() const;
    // Every start logged so far, in the order they happened; waiting until count starts have
    // been logged (or a generous bound has passed); and forgetting them.
    QList<ItemStart> starts() const;
    QList<ItemStart> waitForStarts(int count) const;
    void forgetStarts() const;

    // Writes a batch file on the desktop as the editor saves it and returns its path.
    QString writeBatch(const QString &name, const QList<ItemLines> &items) const;
    // The program's settings file.
    QString settingsPath() const { return at(QStringLiteral("config/Runvoy/Runvoy.conf")); }

private:
    bool writeHandler(const QString &tag, const QByteArray &mimeType) const;
    bool startBus();

    QTemporaryDir root;
    QProcess bus;
    QString busAddress;
    bool ready = false;
};

// The bytes of a batch file as the editor saves it.
QByteArray batchBytes(const QList<ItemLines> &items);

// The tests' file helpers for a path in Qt's text: false when the bytes could not be written.
bool writeFile(const QString &path, const QByteArray &contents, bool executable = false);
QByteArray readFile(const QString &path);
// The path with symbolic links resolved, as a started program sees it.
QString canonical(const QString &path);
QByteArray shellQuoted(const QString &path);
// The lines joined as a log holds them.
std::string logLines(const QStringList &lines);
