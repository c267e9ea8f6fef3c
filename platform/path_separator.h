#pragma once

namespace platform {

// The separator between folders in a path, as the file system writes it and as the user sees it.
#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
// Characters the file system refuses in a file's name, beyond the separators: on Windows a colon
// would even name a hidden stream of another file.
inline constexpr char CharactersRefusedInNames[] = ":*?<>|";
#else
inline constexpr char PathSeparator = '/';
inline constexpr char CharactersRefusedInNames[] = "";
#endif

} // namespace platform
