#include "core/document/placement.h"

#include "core/document/program_error.h"

#include <cmath>
#include <limits>

int centredPosition(double screenTwips, double windowTwips) {
    // Halves go to the even neighbour before the halving, which drops its remainder.
    const long long difference = std::llrint(screenTwips - windowTwips);
    return int(difference / 2);
}

double storedCoordinate(const QString &text) {
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value))
        throw ProgramError::typeMismatch(text);
    // Refused rather than wrapped into some arbitrary place on the screen.
    if (std::fabs(value) > float(std::numeric_limits<qint32>::max()))
        throw ProgramError::overflow();
    return value;
}
