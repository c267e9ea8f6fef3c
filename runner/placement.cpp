#include "runner/placement.h"

#include "document/program_error.h"

#include <cmath>

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
    return value;
}
