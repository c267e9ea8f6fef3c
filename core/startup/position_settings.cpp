#include "core/startup/position_settings.h"

#include "core/document/program_error.h"
#include "core/startup/placement.h"

namespace {

const char *keyOf(PositionSettings::Coordinate coordinate) {
    return coordinate == PositionSettings::Top ? "Top" : "Left";
}

} // namespace

std::optional<double> PositionSettings::twips(Coordinate coordinate) const {
    const std::optional<std::string> stored = store.value(keyOf(coordinate));
    if (!stored)
        return std::nullopt;
    if (const std::optional<double> twips = storedCoordinate(*stored))
        return twips;
    throw ProgramError(std::string("Type mismatch: the stored \"") + keyOf(coordinate) + "\" in " +
                       store.location() + " is \"" + *stored + "\", not a window position");
}

void PositionSettings::forget(Coordinate coordinate) {
    store.store({{keyOf(coordinate), std::nullopt}});
}

void PositionSettings::setPosition(int topTwips, int leftTwips) {
    store.store({{"Top", std::to_string(topTwips)}, {"Left", std::to_string(leftTwips)}});
}
