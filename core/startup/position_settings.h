#pragma once

#include "platform/settings_store.h"

#include <optional>
#include <string>

// Where the editor window was last closed, kept for its next start: "Top" and "Left" in the
// group "Settings" of the user's settings store, in twips, as decimal text.
class PositionSettings {
public:
    explicit PositionSettings(platform::SettingsStore &store) : store(store) {}

    enum Coordinate { Top, Left };

    // The stored coordinate in twips; none when nothing is stored. Throws ProgramError when
    // what is stored is not a usable number.
    std::optional<double> twips(Coordinate coordinate) const;

    // Removes what is stored for the coordinate: the window is centred along it next time.
    void forget(Coordinate coordinate);

    void setPosition(int topTwips, int leftTwips);

    // Why the store can be neither read nor written; none when it works.
    std::optional<std::string> problem() const { return store.problem(); }

private:
    platform::SettingsStore &store;
};

// A coordinate of the stored position as start-up read it.
struct StoredCoordinate {
    enum Kind { Nothing, Twips, Unusable };
    Kind kind = Nothing;
    double twips = 0;
};
