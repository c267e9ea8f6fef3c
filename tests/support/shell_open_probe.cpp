#include "platform/shell.h"
#include "platform/window_states.h"

#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>

// Opens the path given on standard input (any bytes, so no argument parsing is involved) with
// the window state given as the show-command number, and exits 0 when the shell reported success.
// The desktop's application database is cached per process, so each scenario runs in a fresh one.
int main(int argc, char **argv) {
    if (argc != 2)
        return 2;
    const std::string path{std::istreambuf_iterator<char>(std::cin),
                           std::istreambuf_iterator<char>()};
    const auto show = static_cast<platform::ShowCommand>(std::atoi(argv[1]));
    const std::unique_ptr<platform::WindowStates> states = platform::makeWindowStates();
    return platform::makeDesktopShell(*states)->open(path, show) ? 0 : 1;
}
