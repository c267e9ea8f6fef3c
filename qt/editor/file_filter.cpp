#include "qt/editor/file_filter.h"

using namespace Qt::StringLiterals;

QStringList nameFiltersFromPairs(const QString &filter) {
    QStringList parts = filter.split(u'|');
    if (filter.endsWith(u'|'))
        parts.removeLast();
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString display = parts.at(i).trimmed();
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*")
                pattern = u"*"_s;
        }
        const QString joined = patterns.join(u' ');
        // A display text that already names its patterns, "RVQ Files (*.rvq)", is kept as it is.
        if (display.endsWith(u'(' + parts.at(i + 1).trimmed() + u')'))
            filters << display.left(display.lastIndexOf(u'(')) + u'(' + joined + u')';
        else
            filters << display + u" ("_s + joined + u')';
    }
    return filters;
}
