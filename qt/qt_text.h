#pragma once

#include "platform/path_text.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

// The core keeps text in UTF-8 and paths as the file system names them; Qt's windows show
// QStrings. A path whose name is not text shows its stray bytes as replacement characters.

inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline std::string coreText(const QString &text) {
    return text.toStdString();
}

inline QString qtPath(const std::filesystem::path &path) {
    return qtText(platform::textFromPath(path));
}

inline std::filesystem::path corePath(const QString &path) {
    return platform::pathFromText(coreText(path));
}
