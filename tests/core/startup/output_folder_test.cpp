#include "core/document/program_error.h"
#include "core/startup/output_folder.h"
#include "platform/folders.h"
#include "platform/path_text.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace fs = std::filesystem;
using testsupport::Standing;
using testsupport::TemporaryFolder;

namespace {

struct WithoutDesktopRow {
    const char *name;
    const char *programFolder;
    Standing output;                // what stands at Output in the program folder
    std::vector<fs::path> writable; // relative to the test folder
    bool inUserData;
};

class OutputFolderWithoutDesktop : public testing::TestWithParam<WithoutDesktopRow> {};

TEST_P(OutputFolderWithoutDesktop, isTheProgramsOutputWhileTheUserMayWriteThere) {
    const WithoutDesktopRow &row = GetParam();
    TemporaryFolder folder;
    fs::create_directory(folder / "program");
    const fs::path program = folder / row.programFolder;
    testsupport::place(row.output, program / "Output");
    std::vector<fs::path> asked;
    const auto mayWrite = [&](const fs::path &path) {
        asked.push_back(path);
        const fs::path relative = path.lexically_relative(folder.path());
        return std::find(row.writable.begin(), row.writable.end(), relative) != row.writable.end();
    };
    EXPECT_EQ(outputFolderWithoutDesktop(program, folder / "data", mayWrite),
              row.inUserData ? folder / "data" / platform::OwnDataFolderName / "Output"
                             : program / "Output");
    EXPECT_EQ(asked.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OutputFolderWithoutDesktop,
    testing::Values(
        WithoutDesktopRow{
            "writable_program_folder", "program", Standing::Nothing, {"program"}, false},
        WithoutDesktopRow{"writable_output_in_a_read_only_program_folder",
                          "program",
                          Standing::Folder,
                          {"program/Output"},
                          false},
        WithoutDesktopRow{
            "a_file_named_output", "program", Standing::File, {"program/Output"}, false},
        WithoutDesktopRow{"read_only_program_folder", "program", Standing::Nothing, {}, true},
        WithoutDesktopRow{"read_only_output_in_a_writable_program_folder",
                          "program",
                          Standing::Folder,
                          {"program"},
                          true},
        WithoutDesktopRow{"no_program_folder", "missing", Standing::Nothing, {}, true}),
    testsupport::RowName());

// Linux takes the user's data folder from the environment, Windows from the system's known
// folders, which no test may move.
TEST(OutputFolderWithoutDesktopOfTheSystem, takesTheUsersOwnDataFolder) {
    TemporaryFolder folder;
#ifdef _WIN32
    const fs::path data = platform::userDataFolder();
    EXPECT_TRUE(fs::is_directory(data)) << data;
#else
    const fs::path data = folder / "data";
    const testsupport::ScopedVariable dataHome("XDG_DATA_HOME", platform::textFromPath(data));
#endif
    // Nobody may write into a folder that does not exist, root included.
    EXPECT_EQ(outputFolderWithoutDesktop(folder / "missing"),
              data / platform::OwnDataFolderName / "Output");
    EXPECT_EQ(outputFolderWithoutDesktop(folder.path()), folder / "Output");
}

struct SettleRow {
    const char *name;
    bool desktop;
    const char *programFolder;
    Standing standing; // what stands at `at` beforehand
    fs::path at;
    fs::path outputFolder; // all three relative to the test folder
    std::string error;     // "<path>" stands for the output folder; empty for none
};

class SettleOutputFolder : public testing::TestWithParam<SettleRow> {};

TEST_P(SettleOutputFolder, makesTheFolderWhenNothingStandsThere) {
    const SettleRow &row = GetParam();
#ifdef _WIN32
    if (row.outputFolder.begin()->string() == "data")
        GTEST_SKIP() << "Windows takes the user's data folder from the system, which no test moves";
#endif
    TemporaryFolder folder;
    fs::create_directory(folder / "program");
    testsupport::place(row.standing, folder / row.at);
    const testsupport::ScopedVariable dataHome("XDG_DATA_HOME",
                                               platform::textFromPath(folder / "data"));
    fs::path outputFolder;
    std::string error;
    try {
        settleOutputFolder(row.desktop ? folder / "Desktop" : fs::path(),
                           folder / row.programFolder, outputFolder);
    } catch (const ProgramError &failure) {
        error = failure.description();
    }
    std::string expected = row.error;
    if (!expected.empty()) {
        const fs::path path = (folder / row.outputFolder).make_preferred();
        expected.replace(expected.find("<path>"), 6, platform::textFromPath(path));
    }
    EXPECT_EQ(outputFolder, folder / row.outputFolder);
    EXPECT_EQ(error, expected);
    EXPECT_EQ(fs::is_directory(folder / row.outputFolder), row.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettleOutputFolder,
    testing::Values(
        SettleRow{"desktop", true, "program", Standing::Folder, "Desktop", "Desktop", ""},
        SettleRow{"made_in_the_program_folder", false, "program", Standing::Nothing, "",
                  "program/Output", ""},
        SettleRow{"made_in_the_users_data_folder", false, "missing", Standing::Nothing, "",
                  "data/runvoy/Output", ""},
        SettleRow{"a_file_named_output", false, "program", Standing::File, "program/Output",
                  "program/Output", "Path/File access error: <path> is not a folder"},
        SettleRow{"nowhere_to_make_one", false, "missing", Standing::File, "data",
                  "data/runvoy/Output", "Path not found: <path>"}),
    testsupport::RowName());

} // namespace
