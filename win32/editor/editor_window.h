#pragma once

#include "core/editor/editor_logic.h"
#include "core/editor/editor_view.h"
#include "core/layout/twips.h"
#include "win32/common/owned_handles.h"

#include <array>
#include <memory>

// The editor's window drawn with Win32 controls: it shows what the editor's logic tells it and
// hands every action of the user to the logic. Its controls are known by their ids
// (editor_controls.h), and they are drawn at the core's twips for the DPI of the window's monitor.
class EditorWindow final : public EditorView {
public:
    explicit EditorWindow(const EditorServices &services);
    ~EditorWindow() override;
    EditorWindow(const EditorWindow &) = delete;
    EditorWindow &operator=(const EditorWindow &) = delete;

    // Opening: the window goes where start-up found it stored, and the logic takes up the batch
    // that the command line names.
    void load(const EditorStart &start);
    HWND handle() const { return window; }

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

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK pathEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR row, DWORD_PTR self);
    LRESULT onCommand(int id, int code);
    LRESULT onNotify(NMHDR &header);
    LRESULT onActivate(bool active);
    LRESULT onClose();
    LRESULT onDestroy();
    LRESULT onDpiChanged(UINT newDpi, const RECT &suggested);
    void onDropFiles(int row, HDROP drop);

    void createControls();
    void createToolbar();
    HWND addControl(const wchar_t *className, const wchar_t *text, DWORD style, int id,
                    DWORD extendedStyle = 0);
    void layOut();
    void layOutToolbar();
    void loadPictures();
    void placeLabel(HWND label, const TwipsRect &area, POINT origin, DWORD alignment);
    void putText(HWND control, const std::string &text);
    void placeWindow(const EditorStart &start);
    void unload();

    static constexpr int RowCount = MaxBatchItems;
    // A fixed single border: minimise and close, no maximise.
    static constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

    EditorServices services_;
    HWND window = nullptr;
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    HWND toolbar = nullptr;
    HWND rowsFrame = nullptr;
    HWND nameLabel = nullptr;
    HWND nameEdit = nullptr;
    HWND delayHeading = nullptr;
    HWND pathHeading = nullptr;
    HWND browseHeading = nullptr;
    HWND stateHeading = nullptr;
    HWND clearHeading = nullptr;
    HWND moveFrame = nullptr;
    std::array<HWND, 2> moveButtons{};
    std::array<HWND, RowCount> delayEdits{};
    std::array<HWND, RowCount> pathEdits{};
    std::array<HWND, RowCount> browseFileButtons{};
    std::array<HWND, RowCount> browseFolderButtons{};
    std::array<HWND, RowCount> stateCombos{};
    std::array<HWND, RowCount> clearButtons{};
    std::array<HWND, RowCount> rowSelectors{};

    OwnedFont font;
    OwnedImageList toolbarPictures;
    OwnedIcon folderPicture;
    OwnedIcon wasteBinPicture;
    OwnedIcon arrowUpPicture;
    OwnedIcon arrowDownPicture;
    OwnedIcon bigIcon;
    OwnedIcon smallIcon;

    std::unique_ptr<EditorLogic> logic_;
    // The control that had the focus when the window was last left, given it back on return.
    HWND lastFocus = nullptr;
    // Set while the logic's text is put into a field, whose change is then no edit of the user's.
    bool showing = false;
};

// Opens the editor and returns the program's exit status once it has been closed.
int runEditorWindow(const EditorServices &services, const EditorStart &start);
