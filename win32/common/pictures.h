#pragma once

#include "win32/common/owned_handles.h"

// The program's pictures, drawn from its SVG pictures at build time at every size an icon is
// asked for, and scaled down here to the pixels a control needs at its DPI.

// The icon with the resource id at pixels by pixels; null when it is missing.
OwnedIcon loadIcon(int id, int pixels);

// The PNG with the resource id stretched to size and laid on background, for a control that
// draws its bitmap without blending; null when it cannot be read.
OwnedBitmap loadPictureOn(int id, SIZE size, COLORREF background);
