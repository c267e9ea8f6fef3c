#pragma once

#include <QString>

#include <functional>

// The folder that batches are saved into when the desktop names none, without a trailing
// separator: "Output" in the program's folder, as long as the user may write there. A program
// folder that is not the user's to write, such as one installed for every user of the machine,
// gives "runvoy/Output" in the user's own data folder instead ($XDG_DATA_HOME).
QString outputFolderWithoutDesktop(const QString &programFolder);

// The same choice for any data folder, with mayWrite telling whether the user may write into an
// existing file or folder.
QString outputFolderWithoutDesktop(const QString &programFolder, const QString &userDataFolder,
                                   const std::function<bool(const QString &)> &mayWrite);

// Settles the folder that batches are saved into, ending in a separator: the desktop folder,
// or else the Output folder above, which is made when nothing of that name exists.
// outputFolder names the folder even when making it fails, which throws ProgramError.
void settleOutputFolder(const QString &desktopFolder, const QString &programFolder,
                        QString &outputFolder);
