#pragma once

#include <string>

namespace platform {

// The command line after the program's own path, as one unsplit text. Where the system hands
// over a list (argv), each argument after the first that holds no double quote is quoted again,
// so that `runvoy /o /home/me/Morning.rvq` reads as `/o "/home/me/Morning.rvq"`; the bytes stay
// as they came, so a path that is not UTF-8 still names its file. Windows keeps the text the
// program was started with, and that text is returned instead, in UTF-8.
std::string rawArgumentText(int argc, char **argv);

} // namespace platform
