#include "document/path_helpers.h"

#include "platform/path_separator.h"

namespace {

// The position of the last successful match, shared by every search in the program.
qint32 rememberedPosition = 0;

} // namespace

qint32 RInstr(const QString &String1, const QString &String2, bool Prev) {
    const qint64 length1 = String1.size();
    const qint64 length2 = String2.size();
    qint64 start = 0;
    if (!Prev) {
        start = length1 - length2 + 1;
    } else {
        if (rememberedPosition < 1)
            return 0;
        start = qint64(rememberedPosition) - 1;
    }
    rememberedPosition = 0;
    if (length2 > length1)
        return 0;
    for (qint64 i = start; i >= 1; --i) {
        if (QStringView(String1).mid(i - 1).startsWith(String2)) {
            rememberedPosition = qint32(i);
            return rememberedPosition;
        }
    }
    return 0;
}

QString FileExtract(const QString &PathSpec) {
    if (!PathSpec.right(4).startsWith(u'.'))
        return {};
    const qint32 separator = RInstr(PathSpec, QString(platform::PathSeparator), false);
    if (separator == 0)
        return {};
    const QString tail = PathSpec.mid(separator);
    if (tail.size() < 4)
        return {};
    return tail.left(tail.size() - 4);
}
