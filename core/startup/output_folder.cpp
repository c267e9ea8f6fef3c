#include "core/document/output_folder.h"

#include "core/document/program_error.h"
#include "platform/path_separator.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString outputFolderWithoutDesktop(const QString &programFolder) {
    return outputFolderWithoutDesktop(
        programFolder, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        [](const QString &path) { return QFileInfo(path).isWritable(); });
}

QString outputFolderWithoutDesktop(const QString &programFolder, const QString &userDataFolder,
                                   const std::function<bool(const QString &)> &mayWrite) {
    const QChar separator = platform::PathSeparator;
    const QString programOutput = programFolder + separator + u"Output"_s;
    // An Output that is already there is the user's choice as long as it takes the batches;
    // otherwise the program folder must take a new one.
    const QFileInfo existing(programOutput);
    const bool present = existing.exists() || existing.isSymLink();
    if (mayWrite(present ? programOutput : programFolder))
        return programOutput;
    return userDataFolder + separator + u"runvoy"_s + separator + u"Output"_s;
}

void settleOutputFolder(const QString &desktopFolder, const QString &programFolder,
                        QString &outputFolder) {
    const QChar separator = platform::PathSeparator;
    if (!desktopFolder.isEmpty()) {
        outputFolder = desktopFolder + separator;
        return;
    }
    const QString folder = outputFolderWithoutDesktop(programFolder);
    outputFolder = folder + separator;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink())
        return;
    // The user's own data folder may not be there yet.
    if (!QDir().mkpath(folder))
        throw ProgramError::openFailure(folder, true);
}
