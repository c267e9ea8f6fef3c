#include "core/document/program_error.h"
#include "core/startup/command_line.h"

#include "tests/support/named_rows.h"

#include <gtest/gtest.h>

namespace {

struct CommandRow {
    const char *name;
    std::string raw;
    Command::Kind kind;
    std::string path;
    std::string error; // empty when the command line is read
};

class ParseCommand : public testing::TestWithParam<CommandRow> {};

TEST_P(ParseCommand, readsTheSwitchAndThePathAtTheirFixedPlaces) {
    const CommandRow &row = GetParam();
    try {
        const Command command = parseCommand(stripLeadingBlanks(row.raw));
        EXPECT_EQ(command.kind, row.kind);
        EXPECT_EQ(command.path, row.path);
        EXPECT_EQ(row.error, "");
    } catch (const ProgramError &failure) {
        EXPECT_EQ(failure.description(), row.error);
    }
}

const char NoRoom[] = "Invalid procedure call or argument: no batch file follows ";

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCommand,
    testing::Values(
        CommandRow{"run", "/o \"/home/me/Morning.rvq\"", Command::Run, "/home/me/Morning.rvq", ""},
        CommandRow{"edit", "/e \"/home/me/Morning.rvq\"", Command::Edit, "/home/me/Morning.rvq",
                   ""},
        CommandRow{"leading_blanks", " \t  /o \"/x.rvq\"", Command::Run, "/x.rvq", ""},
        CommandRow{"capital_run", "/O \"/x.rvq\"", Command::Editor, "", ""},
        CommandRow{"capital_edit", "/E \"/x.rvq\"", Command::Editor, "", ""},
        CommandRow{"nothing", "", Command::Editor, "", ""},
        CommandRow{"file_alone", "Morning.rvq", Command::Editor, "", ""},
        // Without quotes the path loses its first and last characters.
        CommandRow{"unquoted_path", "/o /home/x.rvq", Command::Run, "home/x.rv", ""},
        // A blank after the closing quote leaves the quote in the path.
        CommandRow{"blank_after_the_quote", "/o \"/x.rvq\" ", Command::Run, "/x.rvq\"", ""},
        CommandRow{"one_character", "/o \"x", Command::Run, "", ""},
        CommandRow{"trailing_tabs", "/o \"x\"  \t", Command::Run, "x\"  ", ""},
        // On Linux a path is bytes, text or not.
        CommandRow{"path_not_utf8", "/o \"/x/name_\xe9\xff.rvq\"", Command::Run,
                   "/x/name_\xe9\xff.rvq", ""},
        CommandRow{"switch_alone", "/o", Command::Run, "", std::string(NoRoom) + "/o"},
        CommandRow{"opening_quote_alone", "/e \"", Command::Edit, "",
                   std::string(NoRoom) + "/e \""},
        CommandRow{"blank_and_quote", "/o \"", Command::Run, "", std::string(NoRoom) + "/o \""}),
    testsupport::RowName());

TEST(StripLeadingBlanks, stripsOnlyLeadingBlanksAndTabs) {
    EXPECT_EQ(stripLeadingBlanks(" \t x \t"), "x \t");
    EXPECT_EQ(stripLeadingBlanks("  \t"), "");
    EXPECT_EQ(stripLeadingBlanks("\n/o"), "\n/o");
}

} // namespace
