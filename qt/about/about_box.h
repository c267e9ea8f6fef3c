#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: name, version and logo, closed with "&Close" (also Enter and Esc).
class AboutBox : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutBox)

public:
    explicit AboutBox(QWidget *owner);

    QWidget *panel = nullptr;           // the grey panel that holds everything else
    QLabel *programNameLabel = nullptr; // the program's name
    QLabel *versionLabel = nullptr;     // the version text
    QLabel *logo = nullptr;             // the maker's logo
    QPushButton *closeButton = nullptr; // "&Close"
};

// "Version " followed by the major, minor and revision numbers.
QString versionText(int major, int minor, int revision);
