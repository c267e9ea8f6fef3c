#pragma once

#include "core/document/batch.h"
#include "qt/editor/editor_start.h"
#include "qt/msgbox/message_box.h"

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
class EditorWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditorWindow)

public:
    static constexpr int RowCount = MaxBatchItems;

    explicit EditorWindow(const EditorServices &services);
    ~EditorWindow() override;

    // The editor's window-level state; whether the batch has changed since it was opened or
    // saved is the window's own modified flag.
    qint16 selectedRow = 0;
    QString outputFolder;
    bool loading = false;

    // The controls.
    QToolBar *toolbar = nullptr;
    std::array<QIcon, 6> toolbarIcons;
    QGroupBox *rowsFrame = nullptr;
    QLabel *nameLabel = nullptr;
    QLabel *clearHeading = nullptr;
    QLabel *pathHeading = nullptr;
    QLabel *delayHeading = nullptr;
    QLabel *stateHeading = nullptr;
    QLabel *browseHeading = nullptr;
    QLineEdit *nameEdit = nullptr;
    std::array<QLineEdit *, RowCount> delayEdits{};
    std::array<QLineEdit *, RowCount> pathEdits{};
    std::array<QPushButton *, RowCount> browseFileButtons{};
    std::array<QPushButton *, RowCount> browseFolderButtons{};
    std::array<QComboBox *, RowCount> stateCombos{};
    std::array<QPushButton *, RowCount> clearButtons{};
    QGroupBox *moveFrame = nullptr;
    std::array<QPushButton *, 2> moveButtons{};
    std::array<QRadioButton *, RowCount> rowSelectors{};

    MessageBox messageBox;

    // Opening and closing: the window goes where start-up found it stored, and the batch that
    // the command line names is loaded.
    void load(const EditorStart &start);
    void unload();
    void confirmClose(bool &cancel);
    bool isUnloaded() const { return unloaded_; }

    // Batch files.
    void LoadBatch(const QString &path);
    void WriteBatchFile(const QString &path);

    // Item entry.
    void clearRow(int row);
    void browseFileForRow(int row);
    void browseFolderForRow(int row);
    void moveSelectedRow(int direction);
    QString BrowseForFile(QWidget *owner, const QString &filter, const QString &title,
                          const QString &initialFolder);
    QString BrowseForFolder();

    // The document commands.
    void runToolbarCommand(const QString &key);
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
    void nameControls();
    void setTabOrder();
    void connectRules();

    void selectRow(int row);
    void clearSelection();
    void markChanged();
    void setBatchChanged(bool changed);
    void selectState(int row, int index);
    void removeFullStopFromName();
    bool dropOnPath(int row, QEvent *event);

    void placeWindow(const EditorStart &start);
    void showOutputFolder();
    bool askToSaveChanges();
    void emptyEditor();
    void openBatch();
    bool nameIsStorable();

    EditorServices services_;
    QButtonGroup *selectors_ = nullptr;
    std::array<int, RowCount> stateBeforePick_{};
    bool unloaded_ = false;
    bool opened_ = false;
};
