#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace platform {

// One of the program's own libraries, loaded by its full path and kept until the program ends.
class SharedLibrary {
public:
    // Loads the library at path; null, with the reason in whyNot, when it is missing, not a
    // library, or damaged. A library cut short is refused before it is mapped, since touching a
    // page past its end would end the program at once.
    static std::unique_ptr<SharedLibrary> load(const std::filesystem::path &path,
                                               std::string &whyNot);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary &) = delete;
    SharedLibrary &operator=(const SharedLibrary &) = delete;

    // The address of an exported function; null when the library has none of that name.
    void *symbol(const char *name) const;

private:
    explicit SharedLibrary(void *handle) : handle(handle) {}
    void *handle;
};

} // namespace platform
