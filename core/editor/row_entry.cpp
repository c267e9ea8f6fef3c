#include "core/editor/editor_logic.h"

#include "platform/batch_text.h"
#include "platform/path_text.h"

namespace {

// A folder chosen or dropped with a final separator stands in the row without it.
std::filesystem::path withoutFinalSeparator(const std::filesystem::path &path) {
    const std::filesystem::path normal = path.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        return normal.parent_path();
    return normal;
}

// The length of the UTF-8 character at the start of bytes; 0 when no whole character starts there.
std::size_t characterLength(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const std::size_t length = lead < 0x80             ? 1
                               : (lead & 0xE0) == 0xC0 ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 0;
    if (length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// A name that is not UTF-8 with each stray byte shown as the replacement character, so that the
// user can tell which file is meant.
std::string shownAsText(std::string_view bytes) {
    std::string text;
    while (!bytes.empty()) {
        const std::size_t length = characterLength(bytes);
        text += length > 0 ? bytes.substr(0, length) : "\xEF\xBF\xBD";
        bytes.remove_prefix(length > 0 ? length : 1);
    }
    return text;
}

} // namespace

void EditorLogic::nameEdited(const std::string &text) {
    if (text == name_)
        return;
    name_ = text;
    markChanged();
    refuseFullStops();
}

void EditorLogic::pathEdited(int row, const std::string &text) {
    if (text == rows_[row].path)
        return;
    rows_[row].path = text;
    markChanged();
}

void EditorLogic::delayEdited(int row, const std::string &text) {
    if (text == rows_[row].delay)
        return;
    rows_[row].delay = text;
    markChanged();
}

// Picking the state already shown is no change.
void EditorLogic::stateChosen(int row, WindowState state) {
    if (rows_[row].state == state)
        return;
    rows_[row].state = state;
    markChanged();
}

// A row's control taking the focus, or its selector being clicked, selects the row.
void EditorLogic::rowFocused(int row) {
    selected_ = row;
    view_.showSelection(row);
}

// The name field taking the focus leaves no row selected.
void EditorLogic::nameFocused() {
    if (!selected_)
        return;
    selected_.reset();
    view_.showSelection(selected_);
}

void EditorLogic::clearClicked(int row) {
    setRow(row, {"", "0", WindowState::Normal});
}

void EditorLogic::browseFileClicked(int row) {
    if (const auto chosen = view_.chooseFile({"Select a file", {"All Files", {"*"}}, {}}))
        putPath(row, *chosen);
}

void EditorLogic::browseFolderClicked(int row) {
    if (const auto chosen = view_.chooseFolder("Select a Folder"))
        putPath(row, *chosen);
}

// Only the first of several paths is taken; the drop moves no selection.
void EditorLogic::dropped(int row, const std::vector<std::filesystem::path> &paths) {
    if (!paths.empty())
        putPath(row, paths.front());
}

// The selected row swaps with its neighbour and stays selected; nothing moves past an edge.
void EditorLogic::moveClicked(MoveDirection direction) {
    if (!selected_)
        return;
    const int row = *selected_;
    const int partner = direction == MoveDirection::Up ? row - 1 : row + 1;
    if (partner < 0 || partner >= MaxBatchItems)
        return;
    const BatchItem moving = rows_[row];
    setRow(row, rows_[partner]);
    setRow(partner, moving);
    rowFocused(partner);
}

// A batch file is text in the system's encoding: a path whose name is not, as a file system may
// hold, could never be written, so it is refused at once rather than at the save.
void EditorLogic::putPath(int row, const std::filesystem::path &path) {
    const std::string text = platform::textFromPath(withoutFinalSeparator(path));
    if (!platform::batchBytesFromText(text)) {
        tell(shownAsText(text) +
             " cannot be stored in a batch file: its name is not text in the system's encoding.");
        return;
    }
    BatchItem item = rows_[row];
    item.path = text;
    setRow(row, item);
}
