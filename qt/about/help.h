#pragma once

#include <QString>

class QWidget;

// The program's help: one help file beside the program, shown at its top in a help window
// that every request reuses.
namespace Help {

// Remembers the owner of help requests and settles the help file's path from the program folder.
void prepare(QWidget *owner, const QString &programFolder);

// Closes the help window if one is open.
void close();

// Opens the help file at its contents (top), reusing the help window.
void showContents();

// The help file's path settled by prepare (empty before it).
QString filePath();

// The help file's path for a program folder: the folder, a separator unless the folder already
// ends in one (the root folder), and the file's name.
QString helpFilePath(const QString &programFolder);

} // namespace Help
