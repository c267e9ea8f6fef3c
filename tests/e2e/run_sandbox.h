#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <optional>

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
    QString delay;
    QString state = QStringLiteral("Normal");

    bool operator==(const ItemLines &) const = default;
};

// A user of our own for real runs of the program: a home with a desktop folder, a settings
// folder, handlers for text files and folders that log every start with a timestamp, and
// nothing of the machine's own applications, defaults or session bus.
class RunSandbox {
public:
    RunSandbox();

    // False when the folders or handlers could not be written.
    bool isReady() const { return ready; }

    QString at(const QString &relative) const { return root.filePath(relative); }

    // Places an executable program at path that logs how it was started.
    bool addProgram(const QString &path) const;
    // Writes a batch file as the editor saves it and returns its path.
    QString writeBatch(const QString &name, const QList<ItemLines> &items) const;

    // What every run of the program gets: the sandbox's home, folders and the offscreen screen.
    QProcessEnvironment environment() const;

    // Every item start logged so far, in the order they happened.
    QList<ItemStart> starts() const;
    // Waits until count starts have been logged (or a generous bound has passed).
    QList<ItemStart> waitForStarts(int count) const;

    // The program's settings file, and the text stored under a key of its "Settings" group.
    QString settingsPath() const { return at(QStringLiteral("config/Runvoy/Runvoy.conf")); }
    std::optional<QString> storedSetting(const QString &key) const;

private:
    QTemporaryDir root;
    bool ready = false;
};

// The bytes of a batch file as the editor saves it.
QByteArray batchBytes(const QList<ItemLines> &items);

bool writeFile(const QString &path, const QByteArray &contents);
// The same at a path that need not be text.
bool writeBytes(const std::filesystem::path &path, const QByteArray &contents);
QByteArray readFile(const QString &path);
// The folder with symbolic links resolved, as a started program sees it.
QString canonical(const QString &path);
