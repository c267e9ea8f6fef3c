#pragma once

#include <optional>
#include <string>

// Where a window goes when nothing is stored: centred by its outer size, in twips.
int centredPosition(double screenTwips, double windowTwips);

// A stored coordinate as a number of twips; none when the text is not a number or too large for
// a window position.
std::optional<double> storedCoordinate(const std::string &text);
