#pragma once

#include <optional>
#include <string>

namespace testsupport {

// Sets an environment variable for one scope (unsets it for none) and puts the old value back
// afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const std::optional<std::string> &value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    void assign(const std::optional<std::string> &value) const;

    const char *name;
    std::optional<std::string> previous;
};

} // namespace testsupport
