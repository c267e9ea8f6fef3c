#include "platform/file_sync.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace platform {

QFileDevice::FileError syncToDisk(int handle, QString &reason) {
    int result;
    do
        result = ::fsync(handle);
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return QFileDevice::NoError;
    const int error = errno;
    // A file system that cannot sync at all (some network and FUSE ones) still holds the data.
    if (error == EINVAL || error == EOPNOTSUPP)
        return QFileDevice::NoError;
    reason = QString::fromLocal8Bit(std::strerror(error));
    return error == ENOSPC || error == EDQUOT ? QFileDevice::ResourceError
                                              : QFileDevice::WriteError;
}

} // namespace platform
