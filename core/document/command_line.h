#pragma once

#include <QString>

// What the command line asks for.
struct Command {
    enum Kind { Editor, Run, Edit };
    Kind kind = Editor;
    QString path;
};

// The argument text without its leading blanks and tabs.
QString stripLeadingBlanks(const QString &raw);

// Reads "/o" or "/e", a blank and a quoted path. The blank, the opening quote and the last
// character are dropped unseen, as the desktop always writes them. Throws ProgramError when a
// switch has no room for a path.
Command parseCommand(const QString &arguments);
