#include "core/document/path_helpers.h"

#include "platform/path_separator.h"

namespace {

// The position of the last successful match, shared by every search in the program.
qint32 rememberedPosition = 0;

} // namespace

qint32 lastPositionOf(const QString &text, const QString &wanted, bool continueBackward) {
    const qint64 textLength = text.size();
    const qint64 wantedLength = wanted.size();
    qint64 start = 0;
    if (!continueBackward) {
        start = textLength - wantedLength + 1;
    } else {
        if (rememberedPosition < 1)
            return 0;
        start = qint64(rememberedPosition) - 1;
    }
    rememberedPosition = 0;
    if (wantedLength > textLength)
        return 0;
    for (qint64 i = start; i >= 1; --i) {
        if (QStringView(text).mid(i - 1).startsWith(wanted)) {
            rememberedPosition = qint32(i);
            return rememberedPosition;
        }
    }
    return 0;
}

QString batchNameFromPath(const QString &path) {
    if (!path.right(4).startsWith(u'.'))
        return {};
    const qint32 separator = lastPositionOf(path, QString(platform::PathSeparator), false);
    if (separator == 0)
        return {};
    const QString tail = path.mid(separator);
    if (tail.size() < 4)
        return {};
    return tail.left(tail.size() - 4);
}
