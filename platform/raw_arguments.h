#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The command line after the program's own path, as one unsplit text. Where the system hands
// over a list, each argument after the first that holds no double quote is quoted again, so
// that `runvoy /o /home/me/Morning.rvq` reads as `/o "/home/me/Morning.rvq"`. Windows keeps the
// text the program was started with, and that text is returned instead.
QString rawArgumentText(const QStringList &arguments);

} // namespace platform
