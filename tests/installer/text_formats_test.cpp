#include "installer/command_line.h"
#include "installer/desktop_entry.h"
#include "installer/mime_globs.h"
#include "installer/mime_package.h"
#include "installer/mimeapps_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using namespace kestrum;

TEST(CommandLine, quotedWords_splitBackUnchanged) {
    const std::vector<std::vector<std::string>> commands{
        {R"(C:\Tools\Runvoy.exe)", "/o", "%1"},
        {"/opt/my tools/runvoy", "/e", "%1"},
        {R"(/a "quoted" name)", R"(back\slash\)", R"(\"both\")", ""},
    };
    for (const auto &words : commands) {
        std::string text;
        for (const std::string &word : words) {
            if (!text.empty())
                text += ' ';
            text += quoteArgument(word);
        }
        SCOPED_TRACE(text);
        EXPECT_EQ(splitCommandLine(text), words);
    }
}

TEST(CommandLine, windowsPaths_keepTheirBackslashesBetweenTheQuotes) {
    EXPECT_EQ(quoteArgument(R"(C:\Tools\Runvoy.exe)"), R"("C:\Tools\Runvoy.exe")");
    EXPECT_EQ(quoteArgument(R"(C:\\Runvoy.exe)"), R"("C:\\Runvoy.exe")");
}

TEST(DesktopEntry, execValue_quotesAndEscapesAsDesktopEntriesRequire) {
    struct Case {
        std::string program;
        std::string exec;
    };
    const std::vector<Case> cases{
        {"/opt/tools/runvoy", "/opt/tools/runvoy /o %f"},
        {"/opt/my tools/runvoy", R"("/opt/my tools/runvoy" /o %f)"},
        {R"(/opt/a"b/runvoy)", R"("/opt/a\\"b/runvoy" /o %f)"},
        {R"(/opt/a\b/runvoy)", R"("/opt/a\\\\b/runvoy" /o %f)"},
        {"/opt/$HOME/runvoy", R"("/opt/\\$HOME/runvoy" /o %f)"},
        {"/opt/`id`/runvoy", R"("/opt/\\`id\\`/runvoy" /o %f)"},
        {"/opt/it's/runvoy", R"("/opt/it's/runvoy" /o %f)"},
        {"/opt/50%f/runvoy", "env /opt/50%%f/runvoy /o %f"},
        {"/opt/line\nbreak/runvoy", R"("/opt/line\nbreak/runvoy" /o %f)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(execValue({c.program, "/o", std::string(FileArgument)}), c.exec);
    }
}

TEST(DesktopEntry, commandsNoExecCanRun_areRefused) {
    for (const std::string program : {"/opt/a=b/runvoy", "/opt/\xff/runvoy", ""}) {
        SCOPED_TRACE(program);
        EXPECT_THROW(execValue({program, "/o", "%1"}), std::invalid_argument);
    }
}

TEST(MimeappsList, edits_changeOnlyTheirOwnKey) {
    const auto setDefault = [](DesktopIds) {
        return DesktopIds{"runvoy-open.desktop"};
    };
    const auto addEdit = [](DesktopIds ids) {
        if (std::ranges::find(ids, "runvoy-edit.desktop") == ids.end())
            ids.push_back("runvoy-edit.desktop");
        return ids;
    };
    const auto removeAll = [](DesktopIds) {
        return DesktopIds{};
    };
    struct Case {
        std::string name;
        std::string before;
        std::string group;
        std::function<DesktopIds(DesktopIds)> change;
        std::string after;
    };
    const std::string other = "# mine\n[Default Applications]\ntext/plain=gedit.desktop\n\n"
                              "[Removed Associations]\nimage/png=gimp.desktop;\n";
    const std::vector<Case> cases{
        {"new file", "", "Default Applications", setDefault,
         "[Default Applications]\nx/y=runvoy-open.desktop;\n"},
        {"group kept, key added after its last line", other, "Default Applications", setDefault,
         "# mine\n[Default Applications]\ntext/plain=gedit.desktop\nx/y=runvoy-open.desktop;\n\n"
         "[Removed Associations]\nimage/png=gimp.desktop;\n"},
        {"missing group appended", other, "Added Associations", addEdit,
         other + "\n[Added Associations]\nx/y=runvoy-edit.desktop;\n"},
        {"default replaced", "[Default Applications]\n x/y = other.desktop;\n",
         "Default Applications", setDefault, "[Default Applications]\nx/y=runvoy-open.desktop;\n"},
        {"added to the list, later duplicate dropped",
         "[Added Associations]\nx/y=a.desktop\r\nq/r=b;\n[Added Associations]\nx/y=c.desktop;\n",
         "Added Associations", addEdit,
         "[Added Associations]\nx/y=c.desktop;runvoy-edit.desktop;\nq/r=b;\n"
         "[Added Associations]\n"},
        {"emptied key removed", "[Added Associations]\nx/y=runvoy-edit.desktop;\nz/w=a;\n",
         "Added Associations", removeAll, "[Added Associations]\nz/w=a;\n"},
        {"same key in a later group untouched",
         "[Default Applications]\na/b=c;\n[Added Associations]\nx/y=other.desktop;\n",
         "Default Applications", setDefault,
         "[Default Applications]\na/b=c;\nx/y=runvoy-open.desktop;\n"
         "[Added Associations]\nx/y=other.desktop;\n"},
        {"missing final newline still missing", "[Default Applications]\na/b=c;",
         "Default Applications", setDefault,
         "[Default Applications]\na/b=c;\nx/y=runvoy-open.desktop;"},
        {"missing final newline still missing after an appended group", "# mine",
         "Added Associations", addEdit, "# mine\n\n[Added Associations]\nx/y=runvoy-edit.desktop;"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(editedMimeappsList(c.before, c.group, "x/y", c.change), c.after);
    }
}

TEST(MimeGlobs, extensionType_isTheStrongestMatchOfTheHighestList) {
    struct Case {
        std::string name;
        std::vector<std::string> lists;
        std::string type;
    };
    const std::vector<Case> cases{
        {"no match", {"# comment\n50:text/plain:*.txt\n"}, ""},
        {"one match", {"50:text/plain:*.txt\n50:a/rvq:*.rvq\n"}, "a/rvq"},
        {"higher weight", {"50:a/low:*.rvq\n", "80:b/high:*.rvq:cs\n"}, "b/high"},
        {"tie goes to the user's list", {"50:a/user:*.rvq\n", "50:b/system:*.rvq\n"}, "a/user"},
        {"cleared by a higher list", {"0:b/system:__NOGLOBS__\n", "50:b/system:*.rvq\n"}, ""},
        {"case ignored", {"50:a/upper:*.RVQ\n"}, "a/upper"},
        {"case kept", {"50:a/upper:*.RVQ:cs\n"}, ""},
        {"other patterns", {"50:a/b:*rvq\n60:a/c:x.rvq\n", "bad line\n"}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mimeTypeForExtension(c.lists, ".rvq"), c.type);
    }
}

TEST(MimePackage, namesThatCannotBeMimeTypes_areRefused) {
    for (const std::string bad : {"rvq file", "a/", "/b", "a/b/c", "a/../b", "a/b c", "a/<b>"})
        EXPECT_FALSE(isValidMimeType(mimeTypeOf(bad))) << bad;
}
