#pragma once

#include <string>

#include <sys/socket.h>
#include <sys/un.h>

namespace testsupport {

// A socket bound at path, as a display server's is; -1 when it cannot be made. Closed without
// being listened on, it is the socket that a server which has gone leaves behind.
inline int socketAt(const std::string &path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path))
        return -1;
    path.copy(address.sun_path, sizeof(address.sun_path) - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return ::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 ? socket
                                                                                        : -1;
}

} // namespace testsupport
