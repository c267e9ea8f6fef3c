#pragma once

namespace platform {

// The separator between folders in a path, as the file system writes it and as the user sees it.
#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

} // namespace platform
