#pragma once

#include "core/startup/position_settings.h"

#include <windows.h>

#include <optional>

// Where the editor window's outer corner goes along one axis, in device pixels at dpi: at the
// stored twips, or centred on the screen (which starts at screenStart and is screenPixels long)
// when nothing is stored. None when what is stored cannot be used, which start-up has told: the
// window then stays where the system put it along that axis.
std::optional<int> cornerAlong(const StoredCoordinate &stored, int screenStart, int screenPixels,
                               int outerPixels, UINT dpi);
