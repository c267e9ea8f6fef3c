#include "document/output_folder.h"

#include "document/program_error.h"
#include "platform/path_separator.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString programOutputFolder(const QString &programFolder) {
    return programFolder + platform::PathSeparator + u"Output"_s;
}

void settleOutputFolder(const QString &desktopFolder, const QString &programFolder,
                        QString &outputFolder) {
    const QChar separator = platform::PathSeparator;
    if (!desktopFolder.isEmpty()) {
        outputFolder = desktopFolder + separator;
        return;
    }
    const QString folder = programOutputFolder(programFolder);
    outputFolder = folder + separator;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink())
        return;
    if (!QDir().mkdir(folder))
        throw ProgramError::openFailure(folder, true);
}
