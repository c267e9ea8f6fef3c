#include "tests/support/scoped_variable.h"

#include <cstdlib>

namespace testsupport {

ScopedVariable::ScopedVariable(std::string name, const std::optional<std::string> &value)
    : name(std::move(name)) {
    if (const char *old = std::getenv(this->name.c_str()))
        saved = old;
    set(this->name, value);
}

ScopedVariable::~ScopedVariable() {
    set(name, saved);
}

void ScopedVariable::set(const std::string &name, const std::optional<std::string> &value) {
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

} // namespace testsupport
