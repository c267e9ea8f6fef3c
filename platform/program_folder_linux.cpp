#include "platform/program_folder.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace platform {

QString programFolder() {
    return QFileInfo(QFile::symLinkTarget(u"/proc/self/exe"_s)).absolutePath();
}

} // namespace platform
