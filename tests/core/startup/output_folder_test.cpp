#include "core/document/program_error.h"
#include "core/startup/output_folder.h"

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
              row.inUserData ? folder / "data" / "runvoy" / "Output" : program / "Output");
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

TEST(OutputFolderWithoutDesktopOfTheSystem, takesTheUsersOwnDataFolderFromTheEnvironment) {
    TemporaryFolder folder;
    const testsupport::ScopedVariable dataHome("XDG_DATA_HOME", (folder / "data").native());
    // Nobody may write into a folder that does not exist, root included.
    EXPECT_EQ(outputFolderWithoutDesktop(folder / "missing"), folder / "data/runvoy/Output");
    EXPECT_EQ(outputFolderWithoutDesktop(folder.path()), folder / "Output");
}

struct SettleRow {
    const char *name;
    bool desktop;
    const char *programFolder;
    Standing standing; // what stands at `at` beforehand
    fs::path at;
    fs::path outputFolder; // all three relative to the test folder
    std::string error;     // "<folder>" stands for the test folder; empty for none
};

class SettleOutputFolder : public testing::TestWithParam<SettleRow> {};

TEST_P(SettleOutputFolder, makesTheFolderWhenNothingStandsThere) {
    const SettleRow &row = GetParam();
    TemporaryFolder folder;
    fs::create_directory(folder / "program");
    testsupport::place(row.standing, folder / row.at);
    const testsupport::ScopedVariable dataHome("XDG_DATA_HOME", (folder / "data").native());
    fs::path outputFolder;
    std::string error;
    try {
        settleOutputFolder(row.desktop ? folder / "Desktop" : fs::path(),
                           folder / row.programFolder, outputFolder);
    } catch (const ProgramError &failure) {
        error = failure.description();
        error.replace(error.find(folder.path().native()), folder.path().native().size(),
                      "<folder>");
    }
    EXPECT_EQ(outputFolder, folder / row.outputFolder);
    EXPECT_EQ(error, row.error);
    EXPECT_EQ(fs::is_directory(folder / row.outputFolder), row.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettleOutputFolder,
    testing::Values(SettleRow{"desktop", true, "program", Standing::Folder, "Desktop", "Desktop",
                              ""},
                    SettleRow{"made_in_the_program_folder", false, "program", Standing::Nothing, "",
                              "program/Output", ""},
                    SettleRow{"made_in_the_users_data_folder", false, "missing", Standing::Nothing,
                              "", "data/runvoy/Output", ""},
                    SettleRow{"a_file_named_output", false, "program", Standing::File,
                              "program/Output", "program/Output",
                              "Path/File access error: <folder>/program/Output is not a folder"},
                    SettleRow{"nowhere_to_make_one", false, "missing", Standing::File, "data",
                              "data/runvoy/Output", "Path not found: <folder>/data/runvoy/Output"}),
    testsupport::RowName());

} // namespace
