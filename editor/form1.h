#pragma once

#include "msgbox/mb.h"

#include <QIcon>
#include <QString>
#include <QWidget>

#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class QTimer;
class QToolBar;

namespace platform {
class Shell;
}

// What the main window needs from outside; tests hand in temporary folders, a settings file of
// their own and a recording shell.
struct Form1Services {
    QSettings *settings = nullptr; // the per-user settings store
    platform::Shell *shell = nullptr;
    QString programFolder; // the folder holding the program, no trailing separator
    QString desktopFolder; // the user's desktop folder, empty when there is none
    QString rawArguments;  // the command line after the program's own path
};

// The main window: start-up, the batch runner and the batch editor in one.
class Form1 : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    static constexpr int RowCount = 5;

    explicit Form1(const Form1Services &services);
    ~Form1() override;

    // Window-level state shared by start-up, the runner and the editor.
    bool TimerFired = false;
    qint16 CurrentRow = 0;
    QString OutputFolder;
    bool DocChanged = false;
    bool Loading = false;

    // The controls.
    QToolBar *Toolbar1 = nullptr;
    std::array<QIcon, 6> ImageList1;
    QTimer *Timer1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *Text1 = nullptr;
    std::array<QLineEdit *, RowCount> Text3{};
    std::array<QLineEdit *, RowCount> Text2{};
    std::array<QPushButton *, RowCount> Command2{};
    std::array<QPushButton *, RowCount> Command3{};
    std::array<QComboBox *, RowCount> Combo1{};
    std::array<QPushButton *, RowCount> Command1{};
    QGroupBox *Frame2 = nullptr;
    std::array<QPushButton *, 2> Command4{};
    std::array<QRadioButton *, RowCount> Option1{};

    Mb mb;

    // Start-up and shut-down.
    void Form_Load();
    void Form_Unload();
    void Form_QueryUnload(bool &cancel);
    QString GetArguments();
    bool isUnloaded() const { return unloaded_; }

    // The runner.
    void RunBatch(const QString &path);
    void Timer1_Timer();

    // Batch files.
    void LoadBatch(const QString &path);
    void WriteBatchFile(const QString &path);

    // Item entry.
    void Command1_Click(int row);
    void Command2_Click(int row);
    void Command3_Click(int row);
    void Command4_Click(int direction);
    QString BrowseForFile(QWidget *owner, const QString &filter, const QString &title,
                          const QString &initialFolder);
    QString BrowseForFolder();

    // The document commands.
    void Toolbar1_ButtonClick(const QString &key);
    bool SaveBatch();

    // Shows the message box over this window and returns the answer.
    int Message(const QString &prompt, const QString &buttons, const QString &title);

signals:
    // The window has been unloaded: the program ends.
    void unloaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createToolbar();
    void createRows();
    void setTabOrder();
    void connectRules();

    void selectRow(int row);
    void clearSelection();
    void markChanged();
    void selectState(int row, int index);
    void Text1_Change();
    bool dropOnPath(int row, QEvent *event);

    void placeWindow();
    void settleOutputFolder();
    void waitMilliseconds(qint32 milliseconds);
    void showOutputFolder();
    bool askToSaveChanges();
    void emptyEditor();
    void openBatch();
    bool nameIsStorable();

    Form1Services services_;
    QButtonGroup *selectors_ = nullptr;
    std::array<int, RowCount> stateBeforePick_{};
    bool unloaded_ = false;
    bool opened_ = false;
};
