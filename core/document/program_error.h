#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <exception>

// A failure that the user is told about: its description is shown as it stands.
class ProgramError : public std::exception {
public:
    explicit ProgramError(QString description);

    const QString &description() const { return description_; }
    const char *what() const noexcept override { return utf8_.constData(); }

    static ProgramError fileNotFound(const QString &path);
    static ProgramError pathNotFound(const QString &path);
    static ProgramError permissionDenied(const QString &path);
    static ProgramError fileAccess(const QString &path);
    static ProgramError inputPastEndOfFile(const QString &path);
    static ProgramError invalidFileFormat(const QString &path, const QString &why);
    static ProgramError subscriptOutOfRange();
    static ProgramError overflow();
    static ProgramError typeMismatch(const QString &text);

    // The reason a file could not be opened, read or written, told from what is on disk.
    static ProgramError openFailure(const QString &path, bool forWriting);

    // A write, flush or sync of path that failed with error, for the system's reason.
    static ProgramError writeFailure(const QString &path, QFileDevice::FileError error,
                                     const QString &reason);

private:
    QString description_;
    QByteArray utf8_;
};
