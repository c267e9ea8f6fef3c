#pragma once

#include <QString>

#include <vector>

class QWidget;

// The program's own modal message box. Callers set the three input fields, call show and read
// response: the 1-based number of the button pressed, 0 when the box was closed otherwise
// (its close button or Esc).
// The fields keep their values between showings; each showing lays the box out afresh.
class MessageBox {
public:
    QString prompt;
    QString buttons; // captions separated by "/", at most three buttons
    QString title;
    qint16 response = 0;

    // Shows the box modally over owner (which may be hidden) and returns when it has closed.
    void show(QWidget *owner);
};

// One button of the lower panel, measured in twips inside that panel.
struct MessageBoxButton {
    QString caption;
    int left = 0;
    int width = 0;
};

// The buttons that a captions text makes, in order.
std::vector<MessageBoxButton> messageBoxButtonLayout(const QString &buttons);

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
