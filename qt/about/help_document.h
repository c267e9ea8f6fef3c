#pragma once

#include <QString>

// The help file's text, or why it could not be had.
struct HelpDocument {
    QString html;
    QString problem; // empty when html holds the file
};

// Reads the help file as HTML whatever its name ends in, honouring a character set that the
// document declares and UTF-8 otherwise.
HelpDocument readHelpDocument(const QString &path);
