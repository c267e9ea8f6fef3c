#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// Where the editor window was last closed, kept for its next start: "Top" and "Left" in the
// group "Settings" of the user's settings store, in twips, as decimal text.
class PositionSettings {
public:
    // The user's own settings store.
    PositionSettings() = default;
    // A settings file of its own, in the ini format.
    explicit PositionSettings(QString iniFile);

    enum Coordinate { Top, Left };

    // The stored coordinate in twips; none when nothing is stored. Throws ProgramError when
    // what is stored is not a usable number.
    std::optional<double> twips(Coordinate coordinate) const;

    // Removes what is stored for the coordinate: the window is centred along it next time.
    void forget(Coordinate coordinate);

    void setPosition(int topTwips, int leftTwips);

private:
    // The store is opened for each use and closed after it, so that no settings object
    // outlives the application object it was made under.
    std::unique_ptr<QSettings> open() const;

    QString iniFile_; // empty: the user's store
};

// A coordinate of the stored position as start-up read it.
struct StoredCoordinate {
    enum Kind { Nothing, Twips, Unusable };
    Kind kind = Nothing;
    double twips = 0;
};
