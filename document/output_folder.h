#pragma once

#include <QString>

// The program's own folder for saved batches, used when the desktop names none: "Output" in the
// program folder.
QString programOutputFolder(const QString &programFolder);

// Settles the folder that batches are saved into, ending in a separator: the desktop folder,
// or else the program's Output folder, which is made when nothing of that name exists.
// outputFolder names the folder even when making it fails, which throws ProgramError.
void settleOutputFolder(const QString &desktopFolder, const QString &programFolder,
                        QString &outputFolder);
