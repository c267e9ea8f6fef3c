#pragma once

#include <filesystem>

namespace platform {

// The folder that holds the running program file, without a trailing separator; empty when the
// system does not say. Known before any application object exists, which is when the widget
// library is looked for.
std::filesystem::path programFolder();

} // namespace platform
