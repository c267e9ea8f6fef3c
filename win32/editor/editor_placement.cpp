#include "win32/editor/editor_placement.h"

#include "core/startup/placement.h"
#include "win32/common/dpi_scale.h"

#include <cmath>

std::optional<int> cornerAlong(const StoredCoordinate &stored, int screenStart, int screenPixels,
                               int outerPixels, UINT dpi) {
    switch (stored.kind) {
    case StoredCoordinate::Unusable:
        return std::nullopt;
    case StoredCoordinate::Twips:
        return int(std::lround(stored.twips * dpi / 1440));
    case StoredCoordinate::Nothing:
        break;
    }
    return screenStart +
           pixelsAt(centredPosition(twipsAt(screenPixels, dpi), twipsAt(outerPixels, dpi)), dpi);
}
