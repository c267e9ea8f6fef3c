#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder of the test's own, removed with all it holds when the test is done.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::filesystem::path &path() const { return path_; }
    // The path of name inside the folder.
    std::filesystem::path operator/(const std::filesystem::path &name) const {
        return path_ / name;
    }
    // The names of what the folder holds, sorted: what a test left there and nothing else.
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

} // namespace testsupport
