#include "installer/file_io.h"

#include "installer/lock_holder.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace kestrum {

namespace {

// The files we read are a few kilobytes; one over a mebibyte is no desktop list or icon of
// ours, and reading on could take all the memory there is.
constexpr std::size_t MaxFileSize = 1 << 20;

[[noreturn]] void throwErrno(const std::string &what, const std::filesystem::path &path) {
    throw std::system_error(errno, std::generic_category(), what + ' ' + path.string());
}

[[noreturn]] void refuse(const std::string &what, const std::filesystem::path &path,
                         const std::string &why) {
    throw std::runtime_error(what + ' ' + path.string() + ": " + why);
}

// A FIFO waits for a writer and a device may never end, so only a plain file is taken.
void requireRegularFile(int fd, const std::string &what, const std::filesystem::path &path) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        throwErrno(what, path);
    if (!S_ISREG(status.st_mode))
        refuse(what, path, "not a regular file");
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

// A file beside another that holds the contents, through to the disk. It is removed again
// unless it is renamed over the other.
class TemporaryFile {
public:
    TemporaryFile(const std::filesystem::path &beside, std::string_view contents, mode_t mode) {
        // Appended piece by piece: GCC 12 warns falsely about a literal + std::string here.
        std::string name = (beside.parent_path() / ".").string();
        name += beside.filename().string();
        name += ".XXXXXX";
        FileDescriptor file(::mkstemp(name.data()));
        if (file.get() < 0)
            throwErrno("cannot create a file beside", beside);
        path_ = name;
        try {
            writeAll(file.get(), contents, path_);
            if (::fchmod(file.get(), mode) != 0 || ::fsync(file.get()) != 0 ||
                ::close(file.release()) != 0)
                throwErrno("cannot write", path_);
        } catch (...) {
            ::unlink(path_.c_str());
            throw;
        }
    }
    ~TemporaryFile() {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    void renameOver(const std::filesystem::path &path) {
        if (::rename(path_.c_str(), path.c_str()) != 0)
            throwErrno("cannot replace", path);
        path_.clear();
    }

private:
    std::filesystem::path path_;
};

// The mode a new file gets from the user's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file's contents; nothing when it does not exist. Opening does not wait for a FIFO's
// writer, so that a FIFO is refused like anything else that is not a regular file.
std::optional<std::string> readRegularFile(const std::filesystem::path &path, int openFlags) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | openFlags));
    if (file.get() < 0 && errno == ENOENT)
        return std::nullopt;
    if (file.get() < 0)
        throwErrno("cannot open", path);
    requireRegularFile(file.get(), "cannot read", path);
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
        if (contents.size() > MaxFileSize)
            refuse("cannot read", path, "larger than 1 MiB");
    }
}

// The type of what is in the file's place, 0 when nothing is. A rename would turn a FIFO or a
// device into a plain file under the feet of whoever uses it, so only a regular file or a
// symbolic link is ever replaced.
mode_t replaceableEntry(const std::filesystem::path &path) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        if (errno == ENOENT)
            return 0;
        throwErrno("cannot replace", path);
    }
    if (!S_ISREG(entry.st_mode) && !S_ISLNK(entry.st_mode))
        refuse("cannot replace", path, "not a regular file");
    return entry.st_mode;
}

mode_t modeOfReplacement(mode_t entry) {
    return S_ISREG(entry) ? entry & 07777 : newFileMode();
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path &path) {
    return readRegularFile(path, 0);
}

void editFile(const std::filesystem::path &path,
              const std::function<std::string(const std::optional<std::string> &)> &edit) {
    // Another program that changes the file meanwhile would lose its change when the edited
    // file is renamed over it. So the file is looked at again once the edit is on the disk, and
    // a changed file is edited afresh: a change is lost only between that look and the rename.
    constexpr int Attempts = 10;
    std::optional<std::string> current = readWholeFile(path);
    for (int attempt = 1;; ++attempt) {
        const std::string contents = edit(current);
        // Only the entry itself counts: a symbolic link in its place is replaced like a file,
        // never written through, since where it leads is no file of ours.
        const mode_t entry = replaceableEntry(path);
        if (S_ISREG(entry) && current == contents)
            return;
        std::filesystem::create_directories(path.parent_path());
        TemporaryFile temporary(path, contents, modeOfReplacement(entry));

        std::optional<std::string> now = readWholeFile(path);
        if (now == current) {
            temporary.renameOver(path);
            return;
        }
        if (attempt == Attempts)
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                    "cannot replace " + path.string() + ", which keeps changing");
        current = std::move(now);
    }
}

void replaceFile(const std::filesystem::path &path, std::string_view contents) {
    // The contents do not depend on the old file, so a symbolic link is never read through.
    const mode_t entry = replaceableEntry(path);
    if (S_ISREG(entry) && readRegularFile(path, O_NOFOLLOW) == contents)
        return;
    std::filesystem::create_directories(path.parent_path());
    TemporaryFile(path, contents, modeOfReplacement(entry)).renameOver(path);
}

void requireRegularFiles(const std::filesystem::path &folder, std::string_view extension,
                         const std::string &reader) {
    if (!std::filesystem::exists(folder))
        return;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::filesystem::file_type type = entry.status().type();
        if (entry.path().extension() == extension && type != std::filesystem::file_type::regular &&
            type != std::filesystem::file_type::directory &&
            type != std::filesystem::file_type::not_found)
            refuse(reader + " cannot read", entry.path(), "not a regular file");
    }
}

void removeFile(const std::filesystem::path &path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throwErrno("cannot remove", path);
}

FileLock::FileLock(const std::filesystem::path &path, std::chrono::seconds wait) {
    std::filesystem::create_directories(path.parent_path());
    FileDescriptor file(
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    if (file.get() < 0)
        throwErrno("cannot open", path);
    requireRegularFile(file.get(), "cannot lock", path);
    // A holder that is stopped or stuck would keep us waiting for ever, with nobody told why.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            throwErrno("cannot lock", path);
        if (std::chrono::steady_clock::now() >= deadline)
            refuse("cannot lock", path,
                   "held by " + lockHolder(file.get()) + " for more than " +
                       std::to_string(wait.count()) + " s");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    fd_ = file.release();
}

FileLock::~FileLock() {
    ::close(fd_);
}

} // namespace kestrum
