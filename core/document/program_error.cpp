#include "core/document/program_error.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

ProgramError::ProgramError(QString description)
    : description_(std::move(description)), utf8_(description_.toUtf8()) {}

ProgramError ProgramError::fileNotFound(const QString &path) {
    return ProgramError(u"File not found: "_s + path);
}

ProgramError ProgramError::pathNotFound(const QString &path) {
    return ProgramError(u"Path not found: "_s + path);
}

ProgramError ProgramError::permissionDenied(const QString &path) {
    return ProgramError(u"Permission denied: "_s + path);
}

ProgramError ProgramError::fileAccess(const QString &path) {
    return ProgramError(u"Path/File access error: "_s + path);
}

ProgramError ProgramError::inputPastEndOfFile(const QString &path) {
    return ProgramError(u"Input past end of file: "_s + path);
}

ProgramError ProgramError::invalidFileFormat(const QString &path, const QString &why) {
    return ProgramError(u"Invalid file format: "_s + path + u" ("_s + why + u')');
}

ProgramError ProgramError::subscriptOutOfRange() {
    return ProgramError(u"Subscript out of range"_s);
}

ProgramError ProgramError::overflow() {
    return ProgramError(u"Overflow"_s);
}

ProgramError ProgramError::typeMismatch(const QString &text) {
    return ProgramError(u"Type mismatch: \""_s + text + u'"');
}

ProgramError ProgramError::openFailure(const QString &path, bool forWriting) {
    const QFileInfo file(path);
    if (file.isDir())
        return fileAccess(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return pathNotFound(path);
    if (!forWriting && !file.exists())
        return fileNotFound(path);
    return permissionDenied(path);
}

ProgramError ProgramError::writeFailure(const QString &path, QFileDevice::FileError error,
                                        const QString &reason) {
    if (error == QFileDevice::ResourceError)
        return ProgramError(u"Disk full: "_s + path);
    return ProgramError(u"Device I/O error: "_s + path + u" ("_s + reason + u')');
}
