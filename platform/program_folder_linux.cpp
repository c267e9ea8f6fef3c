#include "platform/program_folder.h"

#include <system_error>

namespace platform {

// The link names the program file in the system's own bytes, whatever they spell.
std::filesystem::path programFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

} // namespace platform
