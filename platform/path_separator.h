#pragma once

#include <QChar>

namespace platform {

// The separator between folders in a path, as the file system writes it.
#ifdef _WIN32
inline constexpr QChar PathSeparator = u'\\';
#else
inline constexpr QChar PathSeparator = u'/';
#endif

} // namespace platform
