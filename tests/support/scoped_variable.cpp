#include "tests/support/scoped_variable.h"

#include <cstdlib>

namespace testsupport {

ScopedVariable::ScopedVariable(const char *name, const std::optional<std::string> &value)
    : name(name) {
    if (const char *old = std::getenv(name))
        previous = old;
    assign(value);
}

ScopedVariable::~ScopedVariable() {
    assign(previous);
}

void ScopedVariable::assign(const std::optional<std::string> &value) const {
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

} // namespace testsupport
