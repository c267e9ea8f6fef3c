#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace testsupport {

// A folder of the test's own under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
        : path(std::filesystem::temp_directory_path() /
               ("runvoy-test-" + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path path;
};

} // namespace testsupport
