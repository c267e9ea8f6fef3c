#pragma once

#include "core/startup/position_settings.h"

#include <optional>

// Where the editor window's outer corner goes along one axis, in pixels: at the stored twips, or
// centred on a screen of screenPixels when nothing is stored. None when what is stored cannot be
// used, which start-up has told: the window then stays where it was made along that axis.
std::optional<int> cornerAlong(const StoredCoordinate &stored, int screenPixels, int outerPixels);

// What is stored of the corner when the editor closes: the same position in twips.
int cornerTwips(int pixels);
