#include "installer/user_registration.h"

#include "installer/association_installer.h"
#include "installer/freedesktop_store.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace kestrum {

int registerForUser(std::chrono::seconds lockWait) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        std::cerr << "kestrum: cannot find its own folder: " << error.message() << '\n';
        return EXIT_FAILURE;
    }
    FreedesktopStore store(xdgDirsFromEnvironment(), lockWait);
    AssociationInstaller module(store);
    module.Main(self.parent_path().string());
    for (const std::string &failure : module.Failures())
        std::cerr << "kestrum: " << failure << '\n';
    return module.Failures().empty() ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace kestrum
