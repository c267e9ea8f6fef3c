#include "core/layout/editor_layout.h"
#include "win32/common/dpi_scale.h"
#include "win32/common/picture_ids.h"
#include "win32/common/pictures.h"
#include "win32/common/window_fonts.h"
#include "win32/editor/editor_window.h"
#include "win32/editor/toolbar_entries.h"

#include <algorithm>

namespace Layout = EditorLayout;

namespace {

// Buttons' pictures are 16 pixels at 96 DPI, the toolbar's 32.
constexpr int ButtonPicturePixels = 16;
constexpr int ToolPicturePixels = 32;

// A text wider than its control grows the control away from the side it is aligned to, or on
// both sides when it is centred, so the text keeps its place and is shown whole.
RECT widenedToFit(RECT place, int neededWidth, DWORD alignment) {
    const int missing = neededWidth - (place.right - place.left);
    if (missing <= 0)
        return place;
    if (alignment == SS_RIGHT) {
        place.left -= missing;
    } else if (alignment == SS_CENTER) {
        place.left -= missing / 2;
        place.right += missing - missing / 2;
    } else {
        place.right += missing;
    }
    return place;
}

std::wstring windowText(HWND control) {
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return text;
}

} // namespace

void EditorWindow::placeLabel(HWND label, const TwipsRect &area, POINT origin, DWORD alignment) {
    placeControl(label, widenedToFit(rectAt(area, dpi, origin),
                                     textExtent(font.get(), windowText(label)).cx, alignment));
}

// Everything that depends on the DPI: the window's size, the font, the pictures and every
// control's place. Run again when the window moves to a monitor of another DPI.
void EditorWindow::layOut() {
    font = messageFont(dpi, Layout::LargestFontPoints);
    setFontOfChildren(window, font.get());
    loadPictures();
    layOutToolbar();

    const POINT frame{Layout::RowsFrame.left, Layout::RowsFrame.top};
    const POINT move{frame.x + Layout::MoveFrame.left, frame.y + Layout::MoveFrame.top};
    placeControl(rowsFrame, rectAt(Layout::RowsFrame, dpi));
    placeLabel(nameLabel, Layout::NameLabel, frame, SS_RIGHT);
    placeControl(nameEdit, rectAt(Layout::NameEdit, dpi, frame));
    placeLabel(delayHeading, Layout::DelayHeading, frame, SS_CENTER);
    placeLabel(pathHeading, Layout::PathHeading, frame, SS_CENTER);
    placeLabel(browseHeading, Layout::BrowseHeading, frame, SS_CENTER);
    placeLabel(stateHeading, Layout::StateHeading, frame, SS_CENTER);
    placeLabel(clearHeading, Layout::ClearHeading, frame, SS_CENTER);
    placeControl(moveFrame, rectAt(Layout::MoveFrame, dpi, frame));
    placeControl(moveButtons[0], rectAt(Layout::MoveUpButton, dpi, move));
    placeControl(moveButtons[1], rectAt(Layout::MoveDownButton, dpi, move));

    // A drop-down list's height holds its open list too; its closed field takes the font's.
    int widestState = 0;
    for (const std::string_view state : WindowStateNames)
        widestState = std::max<int>(
            widestState, textExtent(font.get(), std::wstring(state.begin(), state.end())).cx);
    const int stateNeeds = widestState + GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) +
                           4 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    for (int i = 0; i < RowCount; ++i) {
        placeControl(delayEdits[i], rectAt(Layout::DelayEdit(i), dpi, frame));
        placeControl(pathEdits[i], rectAt(Layout::PathEdit(i), dpi, frame));
        placeControl(browseFileButtons[i], rectAt(Layout::BrowseFileButton(i), dpi, frame));
        placeControl(browseFolderButtons[i], rectAt(Layout::BrowseFolderButton(i), dpi, frame));
        RECT state = widenedToFit(rectAt(Layout::StateCombo(i), dpi, frame), stateNeeds, SS_CENTER);
        state.bottom += int(WindowStateNames.size() + 1) *
                        int(SendMessageW(stateCombos[i], CB_GETITEMHEIGHT, 0, 0));
        placeControl(stateCombos[i], state);
        placeControl(clearButtons[i], rectAt(Layout::ClearButton(i), dpi, frame));
        placeControl(rowSelectors[i], rectAt(Layout::RowSelector(i), dpi, move));
    }

    RECT outer{0, 0, pixelsAt(Layout::ClientWidth, dpi), pixelsAt(Layout::ClientHeight, dpi)};
    AdjustWindowRectExForDpi(&outer, WindowStyle, FALSE, 0, dpi);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::loadPictures() {
    const int button = scaledPixels(ButtonPicturePixels, dpi);
    folderPicture = loadIcon(PICTURE_FOLDER, button);
    wasteBinPicture = loadIcon(PICTURE_WASTE_BIN, button);
    arrowUpPicture = loadIcon(PICTURE_ARROW_UP, button);
    arrowDownPicture = loadIcon(PICTURE_ARROW_DOWN, button);
    for (int i = 0; i < RowCount; ++i) {
        SendMessageW(browseFolderButtons[i], BM_SETIMAGE, IMAGE_ICON, LPARAM(folderPicture.get()));
        SendMessageW(clearButtons[i], BM_SETIMAGE, IMAGE_ICON, LPARAM(wasteBinPicture.get()));
    }
    SendMessageW(moveButtons[0], BM_SETIMAGE, IMAGE_ICON, LPARAM(arrowUpPicture.get()));
    SendMessageW(moveButtons[1], BM_SETIMAGE, IMAGE_ICON, LPARAM(arrowDownPicture.get()));

    bigIcon = loadIcon(PICTURE_PROGRAM, GetSystemMetricsForDpi(SM_CXICON, dpi));
    smallIcon = loadIcon(PICTURE_PROGRAM, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    SendMessageW(window, WM_SETICON, ICON_BIG, LPARAM(bigIcon.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, LPARAM(smallIcon.get()));
}

// The toolbar's buttons fit their 32-pixel pictures at 96 DPI, and grow with the DPI.
void EditorWindow::layOutToolbar() {
    const int picture = scaledPixels(ToolPicturePixels, dpi);
    OwnedImageList pictures(ImageList_Create(picture, picture, ILC_COLOR32, 6, 0));
    for (const ToolbarEntry &entry : ToolbarEntries) {
        if (entry.id != 0)
            ImageList_AddIcon(pictures.get(), loadIcon(entry.picture, picture).get());
    }
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, LPARAM(pictures.get()));
    toolbarPictures = std::move(pictures);
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(scaledPixels(Layout::ToolButtonWidthPixels, dpi),
                            scaledPixels(Layout::ToolButtonHeightPixels, dpi)));
    placeControl(toolbar, rectAt(Layout::Toolbar, dpi));
}
