#pragma once

#include "document/batch.h"
#include "editor/editor_start.h"
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
class QToolBar;

// The main window: the batch editor.
class Form1 : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    static constexpr int RowCount = MaxBatchItems;

    explicit Form1(const Form1Services &services);
    ~Form1() override;

    // The editor's window-level state.
    qint16 CurrentRow = 0;
    QString OutputFolder;
    bool DocChanged = false;
    bool Loading = false;

    // The controls.
    QToolBar *Toolbar1 = nullptr;
    std::array<QIcon, 6> ImageList1;
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

    // Opening and closing: the window goes where start-up found it stored, and the batch that
    // the command line names is loaded.
    void Form_Load(const EditorStart &start);
    void Form_Unload();
    void Form_QueryUnload(bool &cancel);
    bool isUnloaded() const { return unloaded_; }

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

    void placeWindow(const EditorStart &start);
    void showOutputFolder();
    bool askToSaveChanges();
    void clearRow(int row);
    void emptyEditor();
    void openBatch();
    bool nameIsStorable();

    Form1Services services_;
    QButtonGroup *selectors_ = nullptr;
    std::array<int, RowCount> stateBeforePick_{};
    bool unloaded_ = false;
    bool opened_ = false;
};
