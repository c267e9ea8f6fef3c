#pragma once

#include <QString>

#include <optional>

// Where a window goes when nothing is stored: centred by its outer size, in twips.
int centredPosition(double screenTwips, double windowTwips);

// A stored coordinate as a number of twips; throws ProgramError when the text is not a number
// or too large for a window position.
double storedCoordinate(const QString &text);
