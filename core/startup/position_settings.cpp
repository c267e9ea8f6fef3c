#include "core/document/position_settings.h"

#include "core/document/placement.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

const QString TopKey = u"Settings/Top"_s;
const QString LeftKey = u"Settings/Left"_s;

const QString &keyOf(PositionSettings::Coordinate coordinate) {
    return coordinate == PositionSettings::Top ? TopKey : LeftKey;
}

} // namespace

PositionSettings::PositionSettings(QString iniFile) : iniFile_(std::move(iniFile)) {}

std::optional<double> PositionSettings::twips(Coordinate coordinate) const {
    const QVariant stored = open()->value(keyOf(coordinate));
    if (!stored.isValid())
        return std::nullopt;
    return storedCoordinate(stored.toString());
}

void PositionSettings::forget(Coordinate coordinate) {
    open()->remove(keyOf(coordinate));
}

void PositionSettings::setPosition(int topTwips, int leftTwips) {
    const std::unique_ptr<QSettings> settings = open();
    settings->setValue(TopKey, QString::number(topTwips));
    settings->setValue(LeftKey, QString::number(leftTwips));
    settings->sync();
}

std::unique_ptr<QSettings> PositionSettings::open() const {
    if (iniFile_.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           u"Runvoy"_s, u"Runvoy"_s);
    return std::make_unique<QSettings>(iniFile_, QSettings::IniFormat);
}
