#include "platform/file_access.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

FileOutcome faultOf(int error) {
    switch (error) {
    case ENOENT:
        return {FileFault::NotFound, {}};
    case ENOTDIR:
        return {FileFault::NotAFolder, {}};
    case EACCES:
    case EPERM:
    case EROFS:
        return {FileFault::PermissionDenied, {}};
    case EISDIR:
        return {FileFault::IsAFolder, {}};
    case ENAMETOOLONG:
        return {FileFault::NameTooLong, {}};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return {FileFault::DiskFull, {}};
    default:
        return {FileFault::Io, std::strerror(error)};
    }
}

// A missing file is told from a missing folder on the way to it.
FileOutcome openFault(const std::filesystem::path &path, int error) {
    if (error != ENOENT)
        return faultOf(error);
    struct stat folder {};
    const std::filesystem::path parent = path.parent_path().empty() ? "." : path.parent_path();
    if (::stat(parent.c_str(), &folder) != 0)
        return errno == ENOTDIR ? FileOutcome{FileFault::NotAFolder, {}}
                                : FileOutcome{FileFault::FolderNotFound, {}};
    if (!S_ISDIR(folder.st_mode))
        return {FileFault::NotAFolder, {}};
    return {FileFault::NotFound, {}};
}

FileOutcome kindFault(mode_t mode) {
    if (S_ISDIR(mode))
        return {FileFault::IsAFolder, {}};
    if (!S_ISREG(mode))
        return {FileFault::NotARegularFile, {}};
    return {};
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd; }
    // Closing reports the last write errors of some file systems (NFS), so it is checked.
    int closeNow() {
        const int result = ::close(fd);
        fd = -1;
        return result;
    }

private:
    int fd;
};

FileOutcome writeAll(int fd, std::string_view bytes) {
    // A short write is followed by another, so that the one that fails tells why.
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return faultOf(errno);
        }
        done += std::size_t(written);
    }
    return {};
}

// The temporary name is short, so that a file whose own name is near the file system's limit
// can still be replaced: ".rv" and six characters.
std::filesystem::path temporaryBeside(const std::filesystem::path &target, unsigned attempt) {
    static std::minstd_rand random{std::random_device{}()};
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = ".rv";
    for (int i = 0; i < 6; ++i)
        name += Letters[(random() + attempt) % (sizeof(Letters) - 1)];
    return target.parent_path() / name;
}

} // namespace

FileOutcome readWholeFile(const std::filesystem::path &path, std::size_t maxBytes,
                          std::string &bytes) {
    bytes.clear();
    // Non-blocking, so that opening a pipe with no writer does not wait for one.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return openFault(path, errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return faultOf(errno);
    if (const FileOutcome kind = kindFault(info.st_mode); !kind.ok())
        return kind;
    if (std::size_t(info.st_size) > maxBytes)
        return {FileFault::TooLarge, {}};
    // The size may change while it is read: room for one byte more than allowed tells a file
    // that grew past the bound. The room grows with what is read, so that a small file costs
    // little however large the bound.
    bytes.resize(std::min(std::size_t(info.st_size), maxBytes) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > maxBytes)
                break;
            bytes.resize(std::min(maxBytes + 1, 2 * done));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            bytes.clear();
            return faultOf(errno);
        }
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    if (done > maxBytes) {
        bytes.clear();
        return {FileFault::TooLarge, {}};
    }
    bytes.resize(done);
    return {};
}

FileOutcome syncToDisk(std::intptr_t handle) {
    int result;
    do
        result = ::fsync(int(handle));
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return {};
    // A file system that cannot sync at all (some network and FUSE ones) still holds the data.
    if (errno == EINVAL || errno == EOPNOTSUPP)
        return {};
    return faultOf(errno);
}

FileOutcome replaceFile(const std::filesystem::path &path, std::string_view bytes, DiskSync sync) {
    // A link is followed to the file it names, which is the one replaced.
    std::filesystem::path target = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::error_code error;
        const std::filesystem::path resolved = std::filesystem::canonical(path, error);
        if (error)
            return openFault(path, error.value());
        target = resolved;
    }
    if (::stat(target.c_str(), &info) == 0) {
        if (const FileOutcome kind = kindFault(info.st_mode); !kind.ok())
            return kind;
    } else if (errno != ENOENT) {
        return faultOf(errno);
    }
    if (target.filename().native().size() > NAME_MAX)
        return {FileFault::NameTooLong, {}};

    std::filesystem::path temporary;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = temporaryBeside(target, attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return openFault(target, errno);
    }
    if (fd < 0)
        return faultOf(EEXIST);
    Descriptor file(fd);
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    FileOutcome outcome = writeAll(fd, bytes);
    if (outcome.ok())
        outcome = sync(fd);
    if (outcome.ok() && file.closeNow() != 0)
        outcome = faultOf(errno);
    if (outcome.ok() && ::rename(temporary.c_str(), target.c_str()) != 0)
        outcome = faultOf(errno);
    if (!outcome.ok())
        ::unlink(temporary.c_str());
    return outcome;
}

} // namespace platform
