#pragma once

#include <QString>
#include <QStringList>

// Turns a filter of "display|pattern" pairs, such as "All Files|*.*", into the file dialog's
// name filters. A pattern of *.* means every file, also where file names need no dot.
QStringList nameFiltersFromPairs(const QString &filter);
