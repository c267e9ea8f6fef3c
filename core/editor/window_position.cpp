#include "core/editor/window_position.h"

#include "core/layout/twips.h"
#include "core/startup/placement.h"

std::optional<int> cornerAlong(const StoredCoordinate &stored, int screenPixels, int outerPixels) {
    switch (stored.kind) {
    case StoredCoordinate::Unusable:
        return std::nullopt;
    case StoredCoordinate::Twips:
        return twipsToPixels(stored.twips);
    case StoredCoordinate::Nothing:
        break;
    }
    return twipsToPixels(
        centredPosition(double(screenPixels) * TwipsPerPixel, double(outerPixels) * TwipsPerPixel));
}

int cornerTwips(int pixels) {
    return pixels * TwipsPerPixel;
}
