#pragma once

#include <optional>
#include <string>

namespace testsupport {

// Sets an environment variable, or removes it when the value is none, for as long as the object
// lives; the variable then gets back what it had.
class ScopedVariable {
public:
    ScopedVariable(std::string name, const std::optional<std::string> &value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    static void set(const std::string &name, const std::optional<std::string> &value);

    std::string name;
    std::optional<std::string> saved;
};

} // namespace testsupport
