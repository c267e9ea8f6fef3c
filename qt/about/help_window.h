#pragma once

#include <QWidget>

class QLabel;
class QTextBrowser;

// The help engine's window: the help file shown as a scrollable document, or a plain
// statement of why it cannot be shown.
class HelpWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpWindow)

public:
    // A top-level window that closes with owner and stays in front of it.
    explicit HelpWindow(QWidget *owner);

    // Reads the help file afresh and shows it from its top, brought to the front.
    void showContents(const QString &helpFile);

    QTextBrowser *Contents = nullptr;
    QLabel *Problem = nullptr;
};
