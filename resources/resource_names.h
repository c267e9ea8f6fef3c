#pragma once

#include <QString>

// Where the compiled-in pictures are found.
namespace Pictures {

inline QString path(const char *name) {
    return QStringLiteral(":/runvoy/") + QLatin1String(name);
}

inline const char *const Program = "program.svg";
inline const char *const BatchFile = "batch_file.svg";
inline const char *const New = "new.svg";
inline const char *const Open = "open.svg";
inline const char *const Save = "save.svg";
inline const char *const About = "about.svg";
inline const char *const Help = "help.svg";
inline const char *const Exit = "exit.svg";
inline const char *const Folder = "folder.svg";
inline const char *const WasteBin = "waste_bin.svg";
inline const char *const ArrowUp = "arrow_up.svg";
inline const char *const ArrowDown = "arrow_down.svg";
inline const char *const Note = "note.svg";
inline const char *const Logo = "logo.svg";

} // namespace Pictures
