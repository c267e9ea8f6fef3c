#include "core/document/delay.h"

#include "core/document/program_error.h"

#include <cmath>
#include <limits>

qint32 delayFromText(const QString &text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text.at(pos) == u' ' || text.at(pos) == u'\t'))
        ++pos;
    const qsizetype start = pos;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-'))
        ++pos;
    bool point = false;
    bool digits = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0;
    const double value = text.mid(start, pos - start).toDouble();
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<qint32>::min() &&
          rounded <= std::numeric_limits<qint32>::max()))
        throw ProgramError::overflow();
    return qint32(rounded);
}
