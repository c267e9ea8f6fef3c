#pragma once

#include <QByteArray>

#include <vector>

namespace platform {

// The process and its parents, nearest first, up to the first process of the system; empty
// when the process is gone.
std::vector<qint64> processLineage(qint64 pid);

// The value of variable in the environment the process was started with; empty when the
// process is gone, belongs to another user or lacks it.
QByteArray processEnvironmentValue(qint64 pid, const QByteArray &variable);

} // namespace platform
