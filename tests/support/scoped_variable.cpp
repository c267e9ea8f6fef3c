#include "tests/support/scoped_variable.h"

#include "platform/environment.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace testsupport {

// Through the program's own environment functions: on Windows the C library keeps a copy of the
// environment of its own, which the program neither reads nor changes.
ScopedVariable::ScopedVariable(const char *name, const std::optional<std::string> &value)
    : name(name), previous(platform::environmentVariable(name)) {
    assign(value);
}

ScopedVariable::~ScopedVariable() {
    assign(previous);
}

void ScopedVariable::assign(const std::optional<std::string> &value) const {
    if (value) {
        platform::setEnvironmentVariable(name, *value);
        return;
    }
#ifdef _WIN32
    SetEnvironmentVariableA(name, nullptr);
#else
    unsetenv(name);
#endif
}

} // namespace testsupport
