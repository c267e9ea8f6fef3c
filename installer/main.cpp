#include "installer/association_installer.h"
#include "installer/freedesktop_store.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

// Registers the batch file type for the user and ends. Nothing is shown: a run that worked
// prints nothing, and every entry that could not be written gets one line on standard error.
int main() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        std::cerr << "kestrum: cannot find its own folder: " << error.message() << '\n';
        return EXIT_FAILURE;
    }
    kestrum::FreedesktopStore store(kestrum::xdgDirsFromEnvironment());
    kestrum::AssociationInstaller module(store);
    module.Main(self.parent_path().string());
    for (const std::string &failure : module.Failures())
        std::cerr << "kestrum: " << failure << '\n';
    return module.Failures().empty() ? EXIT_SUCCESS : EXIT_FAILURE;
}
