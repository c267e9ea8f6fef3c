#pragma once

#include "core/document/message.h"

#include <string>
#include <vector>

// One button of the message box's lower panel, measured in twips inside that panel, and the
// answer that pressing it gives.
struct MessageBoxButton {
    std::string caption;
    MessageAnswer answer = MessageAnswer::Closed;
    int left = 0;
    int width = 0;
};

// The buttons of a set, in order: their captions and places are said here for every front-end.
std::vector<MessageBoxButton> messageBoxButtonLayout(MessageButtons buttons);

// The box's heights in pixels. The box grows downward from its design by as much as the prompt
// needs to be read whole, but no taller than tallest (what the screen has room for), and never
// shrinks below its design.
struct MessageBoxHeights {
    int box = 0; // the inner area
    int upperPanel = 0;
    int promptArea = 0;
    int lowerPanelTop = 0;
};

MessageBoxHeights messageBoxHeights(int promptNeeds, int tallest);
