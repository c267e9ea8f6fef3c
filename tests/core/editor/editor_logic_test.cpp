#include "core/document/batch_file.h"
#include "core/editor/editor_logic.h"
#include "platform/path_text.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_editor_view.h"
#include "tests/support/recording_shell.h"
#include "tests/support/separators.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Path = std::filesystem::path;
using Texts = std::vector<std::string>;

// Every table's rows are told by their names, in test names and in failures alike.
template <typename Case>
requires requires(const Case &c) {
    std::string_view(c.name);
}
void PrintTo(const Case &c, std::ostream *out) {
    *out << c.name;
}

template <typename Case> std::string nameOf(const ::testing::TestParamInfo<Case> &info) {
    return info.param.name;
}

const std::string OldItem = "\"/old\"\r\n\"0\"\r\n\"Normal\"\r\n";
const std::string Question = "Changes have been made to this file, save it.";

// The logic on a view without a window, saving into the program's own Output folder.
class EditorLogicTest : public ::testing::Test {
protected:
    EditorLogicTest() {
        std::filesystem::create_directories(output);
        logic.start({{}, {}, output, {}});
    }

    // The first path of the batch file, empty when there is none.
    std::string firstPath(const Path &file) const {
        const BatchFileReading reading = readBatchFile(file);
        return reading.batch.items.empty() ? "" : reading.batch.items.front().path;
    }
    void typeBatch(const std::string &name, const std::string &path) {
        logic.nameEdited(name);
        logic.pathEdited(0, path);
    }

    testsupport::TemporaryFolder folder;
    testsupport::RecordingShell shell;
    testsupport::RecordingEditorView view;
    EditorServices services{nullptr, &shell, folder / "program"};
    Path output = folder / "program" / "Output";
    EditorLogic logic{view, services};
};

enum class Existing { Nothing, AnotherBatch, OpenedBatch };

struct SaveCase {
    const char *name;
    std::string batchName;
    std::string path;
    Existing existing;
    std::optional<MessageAnswer> replaceAnswer; // none: not asked
    std::string refusal;                        // the message that refuses the save
    bool saved;
};

class SaveDecision : public EditorLogicTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveDecision, savesOnlyAStorableBatchAndReplacesAnotherOnlyWhenTold) {
    const SaveCase &c = GetParam();
    const Path file = output / platform::pathFromText(c.batchName + ".rvq");
    if (c.existing != Existing::Nothing)
        testsupport::writeFile(file, OldItem + OldItem + OldItem);
    if (c.existing == Existing::OpenedBatch)
        logic.openBatchFile(file);
    typeBatch(c.batchName, c.path);
    if (c.replaceAnswer)
        view.answers = {*c.replaceAnswer};
    logic.command(EditorCommand::Save);

    Texts prompts;
    if (!c.refusal.empty())
        prompts = {c.refusal};
    if (c.replaceAnswer)
        prompts = {"A batch named " + c.batchName +
                   " already exists: " + platform::textFromPath(file) + ". Replace it?"};
    ASSERT_EQ(view.prompts(), prompts);
    if (c.replaceAnswer) {
        EXPECT_EQ(view.asked[0].buttons, MessageButtons::YesNo);
    }
    const bool kept = c.existing != Existing::Nothing;
    EXPECT_EQ(firstPath(file), c.saved ? c.path : kept ? "/old" : "");
    EXPECT_EQ(std::filesystem::is_empty(output), !c.saved && !kept);
    EXPECT_EQ(logic.isChanged(), !c.saved);
    EXPECT_EQ(view.shownChanged, !c.saved);
    EXPECT_EQ(shell.opened, c.saved ? std::vector{output} : std::vector<Path>());
}

// A save refused with message, which writes nothing.
SaveCase refused(const char *name, const std::string &batchName, const std::string &message,
                 const std::string &path = "/bin") {
    return {name, batchName, path, Existing::Nothing, {}, message, false};
}

// A storable batch named Morning, saved where a batch of that name may already be.
SaveCase morning(const char *name, Existing existing, std::optional<MessageAnswer> answer,
                 bool saved) {
    return {name, "Morning", "/bin", existing, answer, "", saved};
}

std::string notAFileName(const std::string &name, const std::string &what) {
    return "The name " + name + " cannot be used as a file name: it may not contain " + what + ".";
}

INSTANTIATE_TEST_SUITE_P(
    Batches, SaveDecision,
    ::testing::Values(
        refused("emptyName", "", "Enter a Name."),
        refused("noItem", "Work", "Enter a least one file, folder or shortcut.", ""),
        refused("separator", "to/Work", notAFileName("to/Work", "\"/\"")),
        refused("nul", std::string("a\0b", 3),
                notAFileName(std::string("a\0b", 3), testsupport::withSystemSeparators("\"/\""))),
        refused("doubleQuote", "My \"best\"", notAFileName("My \"best\"", "a double quote")),
        refused("lineFeed", "Two\nLines", notAFileName("Two\nLines", "a line break")),
        refused("carriageReturn", "Work\r", notAFileName("Work\r", "a line break")),
#ifdef _WIN32
        refused("colon", "a:b", notAFileName("a:b", "\":\"")),
#endif
        morning("newBatch", Existing::Nothing, {}, true),
        morning("anotherBatchReplaced", Existing::AnotherBatch, MessageAnswer::Yes, true),
        morning("anotherBatchKept", Existing::AnotherBatch, MessageAnswer::No, false),
        morning("anotherBatchQuestionClosed", Existing::AnotherBatch, MessageAnswer::Closed, false),
        morning("openedBatchSilently", Existing::OpenedBatch, {}, true)),
    nameOf<SaveCase>);

// A batch that was opened and then replaced by New is a new batch: its file is another's.
TEST_F(EditorLogicTest, newBatchOfAnOpenedBatchsNameAsksBeforeReplacingIt) {
    const Path file = output / "Morning.rvq";
    testsupport::writeFile(file, OldItem);
    logic.openBatchFile(file);
    logic.command(EditorCommand::New);
    typeBatch("Morning", "/bin");
    view.answers = {MessageAnswer::No};
    logic.command(EditorCommand::Save);
    EXPECT_EQ(view.prompts().size(), 1u);
    EXPECT_EQ(firstPath(file), "/old");
}

struct CloseCase {
    const char *name;
    bool changed;
    std::optional<MessageAnswer> answer; // none: not asked
    bool writable;
    bool goesOn;
};

class CloseQuestion : public EditorLogicTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, goesOnOnlyAfterASaveOrWhenTheChangesAreDropped) {
    const CloseCase &c = GetParam();
    if (c.changed)
        typeBatch("Work", "/bin");
    if (!c.writable)
        std::filesystem::remove_all(output);
    if (c.answer)
        view.answers = {*c.answer};
    EXPECT_EQ(logic.maybeSave(), c.goesOn);
    const Texts prompts = view.prompts();
    ASSERT_EQ(prompts.size(), c.writable ? std::size_t(c.changed) : 2u); // with the failure
    if (c.changed) {
        EXPECT_EQ(prompts[0], Question);
        EXPECT_EQ(view.asked[0].buttons, MessageButtons::YesNoCancel);
    }
    const bool saved = std::filesystem::exists(output / "Work.rvq");
    EXPECT_EQ(saved, c.answer == MessageAnswer::Yes && c.goesOn);
    EXPECT_EQ(logic.isChanged(), c.changed && !c.goesOn);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseQuestion,
    ::testing::Values(CloseCase{"unchanged", false, {}, true, true},
                      CloseCase{"yesSaves", true, MessageAnswer::Yes, true, true},
                      CloseCase{"yesButWritingFails", true, MessageAnswer::Yes, false, false},
                      CloseCase{"noDropsTheChanges", true, MessageAnswer::No, true, true},
                      CloseCase{"closedBoxLikeNo", true, MessageAnswer::Closed, true, true},
                      CloseCase{"cancelKeepsThem", true, MessageAnswer::Cancel, true, false}),
    nameOf<CloseCase>);

struct DropCase {
    const char *name;
    std::vector<Path> paths;
    std::string rowPath;
    std::string prompt;
};

class Drop : public EditorLogicTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(Drop, putsTheFirstPathInTheRowOrRefusesANameThatIsNotText) {
    const DropCase &c = GetParam();
    logic.dropped(3, c.paths);
    const std::string rowPath = testsupport::withSystemSeparators(c.rowPath);
    EXPECT_EQ(logic.row(3).path, rowPath);
    EXPECT_EQ(view.shownRows[3].path, rowPath);
    EXPECT_EQ(view.prompts(),
              c.prompt.empty() ? Texts() : Texts{testsupport::withSystemSeparators(c.prompt)});
    EXPECT_EQ(logic.isChanged(), !c.rowPath.empty());
}

// A name that a batch file cannot hold, and how the message shows it: on Linux bytes that are not
// UTF-8, on Windows a letter that the ANSI code page lacks.
#ifdef _WIN32
const Path NameNotText = L"/tmp/\u03A9.txt";
const std::string NameShown = "/tmp/Ω.txt";
#else
const Path NameNotText = "/tmp/caf\xE9.txt";
const std::string NameShown = "/tmp/caf\xEF\xBF\xBD.txt";
#endif

INSTANTIATE_TEST_SUITE_P(
    Paths, Drop,
    ::testing::Values(DropCase{"firstOfSeveral", {"/usr/bin", "/etc"}, "/usr/bin", ""},
                      DropCase{"folderWithFinalSeparator", {"/usr/share/"}, "/usr/share", ""},
                      DropCase{"nameNotText",
                               {NameNotText},
                               "",
                               NameShown + " cannot be stored in a batch file: its name is not "
                                           "text in the system's encoding."},
                      DropCase{"nothing", {}, "", ""}),
    nameOf<DropCase>);

struct MoveCase {
    const char *name;
    std::optional<int> selected;
    MoveDirection direction;
    std::string order; // the rows afterwards, by the row each item started in
    std::optional<int> selectedAfter;
};

class Move : public EditorLogicTest, public ::testing::WithParamInterface<MoveCase> {};

// Rows 1 and 2 differ only in their state, which moves with them all the same.
TEST_P(Move, swapsTheSelectedRowWithItsNeighbourUpToTheEdges) {
    const MoveCase &c = GetParam();
    const std::vector<BatchItem> items{{"/a", "0", WindowState::Normal},
                                       {"/b", "1", WindowState::Minimized},
                                       {"/b", "1", WindowState::Maximized},
                                       {"/d", "3", WindowState::Normal},
                                       {"/e", "4", WindowState::Normal}};
    std::string bytes;
    for (const BatchItem &item : items)
        bytes += "\"" + item.path + "\"\r\n\"" + item.delay + "\"\r\n\"" +
                 std::string(windowStateName(*item.state)) + "\"\r\n";
    testsupport::writeFile(folder / "Five.rvq", bytes);
    logic.openBatchFile(folder / "Five.rvq");
    if (c.selected)
        logic.rowFocused(*c.selected);
    logic.moveClicked(c.direction);
    for (int row = 0; row < MaxBatchItems; ++row) {
        EXPECT_EQ(logic.row(row), items[c.order[row] - '0']) << row;
        EXPECT_EQ(view.shownRows[row], items[c.order[row] - '0']) << row;
    }
    EXPECT_EQ(logic.selectedRow(), c.selectedAfter);
    EXPECT_EQ(view.shownSelection, c.selectedAfter);
    EXPECT_EQ(logic.isChanged(), c.order != "01234");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Move,
    ::testing::Values(MoveCase{"nothingSelected", {}, MoveDirection::Down, "01234", {}},
                      MoveCase{"topCannotGoUp", 0, MoveDirection::Up, "01234", 0},
                      MoveCase{"bottomCannotGoDown", 4, MoveDirection::Down, "01234", 4},
                      MoveCase{"down", 0, MoveDirection::Down, "10234", 1},
                      MoveCase{"upByStateAlone", 2, MoveDirection::Up, "02134", 1}),
    nameOf<MoveCase>);

} // namespace
