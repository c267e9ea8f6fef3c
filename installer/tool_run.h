#pragma once

#include <string>
#include <vector>

namespace kestrum {

struct ToolResult {
    bool found = false; // false when no program of that name is on the PATH
    int exitStatus = -1;
    std::string errorOutput;
};

// Runs a program from the PATH with the arguments and waits for it. Its standard output is
// dropped and its standard error kept, so that only a failure is ever shown.
// Throws std::system_error when the program cannot be started for another reason.
ToolResult runTool(const std::vector<std::string> &arguments);

} // namespace kestrum
