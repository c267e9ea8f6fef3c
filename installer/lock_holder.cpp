#include "installer/lock_holder.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace kestrum {

namespace {

// The file as /proc/locks names it: major:minor of its device in hex, then its inode.
std::string lockedFileId(const struct stat &file) {
    char id[64];
    std::snprintf(id, sizeof id, "%02x:%02x:%llu", major(file.st_dev), minor(file.st_dev),
                  static_cast<unsigned long long>(file.st_ino));
    return id;
}

std::string commandName(const std::string &pid) {
    std::ifstream comm("/proc/" + pid + "/comm");
    std::string name;
    return std::getline(comm, name) && !name.empty() ? " (" + name + ")" : std::string();
}

} // namespace

std::string lockHolder(int fd) {
    struct stat file {};
    if (::fstat(fd, &file) != 0)
        return "another process";
    const std::string id = lockedFileId(file);
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        // "1: FLOCK  ADVISORY  WRITE 1234 fe:00:5678 0 EOF". A waiter's line has "->" after the
        // number and so never matches. A holder outside our PID namespace shows as 0 or -1.
        std::istringstream fields(line);
        std::string number, kind, advisory, access, pid, where;
        if (fields >> number >> kind >> advisory >> access >> pid >> where && kind == "FLOCK" &&
            where == id && pid.find_first_not_of("0123456789") == pid.npos && pid != "0")
            return "process " + pid + commandName(pid);
    }
    return "another process";
}

} // namespace kestrum
