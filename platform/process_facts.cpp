#include "platform/process_facts.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace platform {

namespace {

// What a file of /proc holds; empty when it cannot be read. Their size reads as zero, so they
// are read to their end.
std::string procFile(std::int64_t pid, const char *name) {
    std::ifstream file("/proc/" + std::to_string(pid) + '/' + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The parent named in /proc/<pid>/stat, after the command name, which may hold any character
// but ends at the last parenthesis; 0 when it cannot be read.
std::int64_t parentOf(std::int64_t pid) {
    const std::string text = procFile(pid, "stat");
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos)
        return 0;
    // ") S 1234 ...": the state, then the parent.
    std::istringstream fields(text.substr(nameEnd + 1));
    std::string state;
    std::int64_t parent = 0;
    fields >> state >> parent;
    return parent;
}

} // namespace

std::vector<std::int64_t> processLineage(std::int64_t pid) {
    std::vector<std::int64_t> lineage;
    // A bound on the walk: a parent is always older, but the table may change under the walk.
    for (int depth = 0; pid > 0 && depth < 64; ++depth) {
        const std::int64_t parent = parentOf(pid);
        if (parent == 0 && pid != 1)
            break;
        lineage.push_back(pid);
        pid = parent;
    }
    return lineage;
}

std::string processEnvironmentValue(std::int64_t pid, const std::string &variable) {
    if (pid <= 0)
        return {};
    const std::string environment = procFile(pid, "environ");
    const std::string prefix = variable + '=';
    for (std::size_t start = 0; start < environment.size();) {
        std::size_t end = environment.find('\0', start);
        if (end == std::string::npos)
            end = environment.size();
        // The prefix holds no NUL, so it matches within one entry or not at all.
        if (environment.compare(start, prefix.size(), prefix) == 0)
            return environment.substr(start + prefix.size(), end - start - prefix.size());
        start = end + 1;
    }
    return {};
}

} // namespace platform
