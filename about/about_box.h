#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: name, version and logo, closed with "&Close" (also Enter and Esc).
class frmAbout : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbout)

public:
    explicit frmAbout(QWidget *owner);

    QWidget *Picture1 = nullptr;     // the grey panel that holds everything else
    QLabel *Label4 = nullptr;        // the program's name
    QLabel *Label3 = nullptr;        // the version text
    QLabel *Image3 = nullptr;        // the maker's logo
    QPushButton *Command1 = nullptr; // "&Close"
};

// "Version " followed by the major, minor and revision numbers.
QString versionText(int major, int minor, int revision);
