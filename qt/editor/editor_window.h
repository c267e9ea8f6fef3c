#pragma once

#include "core/editor/editor_logic.h"
#include "core/editor/editor_view.h"

#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;

// The editor's window drawn with Qt Widgets: it shows what the editor's logic tells it and hands
// every action of the user to the logic. Its controls are known by their role names.
class EditorWindow : public QWidget, public EditorView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditorWindow)

public:
    explicit EditorWindow(const EditorServices &services);
    ~EditorWindow() override;

    // Opening: the window goes where start-up found it stored, and the logic takes up the batch
    // that the command line names.
    void load(const EditorStart &start);
    bool isUnloaded() const { return unloaded_; }

    EditorLogic &logic() { return *logic_; }

signals:
    // The window has been unloaded: the program ends.
    void unloaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showName(const std::string &name) override;
    void showRow(int row, const BatchItem &item) override;
    void showSelection(std::optional<int> row) override;
    void showChanged(bool changed) override;
    MessageAnswer ask(const Message &message) override;
    std::optional<std::filesystem::path> chooseFile(const FileQuestion &question) override;
    std::optional<std::filesystem::path> chooseFolder(const std::string &title) override;
    void showAbout() override;
    void showHelp() override;
    void closeWindow() override;

    void createControls();
    void createToolbar();
    void createRows();
    void nameControls();
    void setTabOrder();
    void forwardActions();
    int rowOf(const QObject *control) const;
    bool dropOnPath(int row, QEvent *event);
    void placeWindow(const EditorStart &start);
    void unload();

    static constexpr int RowCount = MaxBatchItems;

    EditorServices services_;
    QToolBar *toolbar = nullptr;
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
    QButtonGroup *selectors = nullptr;

    std::unique_ptr<EditorLogic> logic_;
    bool unloaded_ = false;
};
