#pragma once

#include <QFileDevice>
#include <QString>

namespace platform {

// Waits until what was written to the open file behind handle (QFileDevice::handle) is on the
// disk. Returns NoError, ResourceError for a full disk or quota, or WriteError for any other
// failure, with the system's reason in reason.
QFileDevice::FileError syncToDisk(int handle, QString &reason);

} // namespace platform
