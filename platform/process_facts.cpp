#include "platform/process_facts.h"

#include <QFile>

namespace platform {

namespace {

// The parent named in /proc/<pid>/stat, after the command name, which may hold any character
// but ends at the last parenthesis; 0 when it cannot be read.
qint64 parentOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const qsizetype nameEnd = text.lastIndexOf(')');
    if (nameEnd < 0)
        return 0;
    // ") S 1234 ...": the state, then the parent.
    const QList<QByteArray> fields = text.mid(nameEnd + 1).simplified().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

} // namespace

std::vector<qint64> processLineage(qint64 pid) {
    std::vector<qint64> lineage;
    // A bound on the walk: a parent is always older, but the table may change under the walk.
    for (int depth = 0; pid > 0 && depth < 64; ++depth) {
        const qint64 parent = parentOf(pid);
        if (parent == 0 && pid != 1)
            break;
        lineage.push_back(pid);
        pid = parent;
    }
    return lineage;
}

QByteArray processEnvironmentValue(qint64 pid, const QByteArray &variable) {
    QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
    if (pid <= 0 || !environ.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = variable + '=';
    for (const QByteArray &entry : environ.readAll().split('\0')) {
        if (entry.startsWith(prefix))
            return entry.mid(prefix.size());
    }
    return {};
}

} // namespace platform
