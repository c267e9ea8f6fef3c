#pragma once

#include <QString>

class QWidget;

// The program's help: one help file beside the program, shown at its top in a help window
// that every request reuses.
namespace ContextIDs {

// Remembers the owner of help requests and settles the help file's path from the program folder.
void InitHelp(QWidget *owner, const QString &programFolder);

// Closes the help window if one is open.
void QuitHelp();

// Opens the help file at its contents (top), reusing the help window.
void ShowHelpContents();

// The help file's path settled by InitHelp (empty before it).
QString HelpFile();

// The help file's path for a program folder: the folder, a separator unless the folder already
// ends in one (the root folder), and the file's name.
QString helpFilePath(const QString &programFolder);

} // namespace ContextIDs
