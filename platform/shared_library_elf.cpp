#include "platform/shared_library.h"

#include <cerrno>
#include <cstring>

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Whether the file holds all that its own headers say it holds: the section table and every
// segment that is loaded. A copy cut short, or something that is no library of this machine's
// kind, gives the reason.
std::string whyNotWhole(const std::filesystem::path &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    struct stat info {};
    Elf64_Ehdr header{};
    std::string why;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        why = "not a regular file";
    else if (::pread(fd, &header, sizeof header, 0) != ssize_t(sizeof header) ||
             std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
             header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_phentsize != sizeof(Elf64_Phdr))
        why = "not a library of this system";
    const auto size = std::uint64_t(info.st_size);
    if (why.empty() && header.e_shoff + std::uint64_t(header.e_shnum) * header.e_shentsize > size)
        why = "the file is cut short";
    for (int i = 0; why.empty() && i < header.e_phnum; ++i) {
        Elf64_Phdr segment{};
        if (::pread(fd, &segment, sizeof segment, off_t(header.e_phoff + i * sizeof segment)) !=
                ssize_t(sizeof segment) ||
            segment.p_offset + segment.p_filesz > size)
            why = "the file is cut short";
    }
    ::close(fd);
    return why;
}

} // namespace

std::unique_ptr<SharedLibrary> SharedLibrary::load(const std::filesystem::path &path,
                                                   std::string &whyNot) {
    whyNot = whyNotWhole(path);
    if (!whyNot.empty()) {
        whyNot = path.native() + ": " + whyNot;
        return nullptr;
    }
    void *handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        whyNot = ::dlerror();
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

// Never unloaded: what the library made (the application object, its windows' classes) may be
// in use until the very end.
SharedLibrary::~SharedLibrary() = default;

void *SharedLibrary::symbol(const char *name) const {
    return ::dlsym(handle, name);
}

} // namespace platform
