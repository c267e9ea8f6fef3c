#pragma once

#include <QString>

namespace platform {

// The folder that holds the running program file, without a trailing separator. Known before
// any application object exists, which is when the widget library is looked for.
QString programFolder();

} // namespace platform
