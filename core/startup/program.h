#pragma once

#include "core/startup/widget_layer.h"

#include <filesystem>
#include <string>

// The program on any system, once its front-end's windows are at hand: the user's settings, the
// desktop's shell and window states, then start-up; a finished run stays, still without a window,
// until its items' windows have their states. Returns the program's exit status.
int runProgram(const std::string &rawArguments, const std::filesystem::path &programFolder,
               WidgetLayer &widgets);
