#include "document/output_folder.h"

#include "platform/path_separator.h"

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
