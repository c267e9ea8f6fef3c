#include "tests/support/temporary_folder.h"

#include "platform/path_text.h"

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>

namespace testsupport {

// A random name that no other test's folder has: creating it fails when one does, and another
// name is tried.
TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = temporary / ("runvoy-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_))
            return;
    }
    throw std::runtime_error("cannot make a temporary folder in " +
                             platform::textFromPath(temporary));
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TemporaryFolder::names() const {
    std::vector<std::string> names;
    for (const std::filesystem::directory_entry &entry : std::filesystem::directory_iterator(path_))
        names.push_back(platform::textFromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testsupport
