#include "installer/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kestrum {

namespace {

[[noreturn]] void throwErrno(const std::string &what, const std::filesystem::path &path) {
    throw std::system_error(errno, std::generic_category(), what + ' ' + path.string());
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

void writeAll(int fd, std::string_view contents, const std::filesystem::path &path) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            throwErrno("cannot write", path);
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
}

// The mode a new file gets from the user's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path &path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0 && errno == ENOENT)
        return std::nullopt;
    if (file.get() < 0)
        throwErrno("cannot open", path);
    std::string contents;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throwErrno("cannot read", path);
        if (got == 0)
            return contents;
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

void replaceFile(const std::filesystem::path &path, std::string_view contents) {
    const std::filesystem::path target =
        std::filesystem::is_symlink(path) ? std::filesystem::weakly_canonical(path) : path;
    if (readWholeFile(target) == contents)
        return;
    std::filesystem::create_directories(target.parent_path());

    struct stat existing {};
    const mode_t mode =
        ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : newFileMode();
    std::string temporaryName = (target.parent_path() / ".").string();
    temporaryName += target.filename().string() + ".XXXXXX";
    FileDescriptor file(::mkstemp(temporaryName.data()));
    if (file.get() < 0)
        throwErrno("cannot create a file beside", target);
    const std::filesystem::path temporary(temporaryName);
    try {
        writeAll(file.get(), contents, temporary);
        if (::fchmod(file.get(), mode) != 0 || ::fsync(file.get()) != 0 ||
            ::close(file.release()) != 0)
            throwErrno("cannot write", temporary);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            throwErrno("cannot replace", target);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

void removeFile(const std::filesystem::path &path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throwErrno("cannot remove", path);
}

} // namespace kestrum
