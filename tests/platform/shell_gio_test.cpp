#include "tests/support/desktop_sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fstream>

using namespace Qt::StringLiterals;
using platform::ShowCommand;

namespace {

class ShellOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.isReady());
        ASSERT_TRUE(writeFile(desktop.item(u"notes.txt"_s), "Things to do\n"));
    }

    // What the text handler logs when it opens path, started in the items folder.
    std::string textOpened(const QString &path) const {
        return logLines({u"cwd="_s + canonical(desktop.item({})), u"arg="_s + path});
    }

    DesktopSandbox desktop;
};

// Both kinds of program log the same way: their own path, the argument count, their folder.
const struct ProgramKind {
    const char *name;
    bool (*install)(const QString &path);
} programKinds[] = {
    {"script",
     [](const QString &path) {
         return writeFile(path,
                          "#!/bin/sh\n"
                          "log=\"$RUNVOY_TEST_LOGS/program\"\n"
                          "{ printf 'self=%s\\n' \"$0\"; printf 'count=%s\\n' \"$#\"\n"
                          "  printf 'cwd=%s\\n' \"$(pwd -P)\"; } > \"$log.part\"\n"
                          "mv \"$log.part\" \"$log\"\n",
                          true);
     }},
    {"binary",
     [](const QString &path) {
         return QFile::copy(QString::fromUtf8(PROGRAM_LOGGER), path);
     }},
};

void PrintTo(const ProgramKind &kind, std::ostream *out) {
    *out << kind.name;
}

class ProgramItemTest : public ShellOpenTest, public ::testing::WithParamInterface<ProgramKind> {};

TEST_P(ProgramItemTest, runsDirectlyInItsFolder_shellCharactersInItsPathStayLiteral) {
    const QString folder = desktop.item(u"odd $dir `x`"_s);
    const QString program = folder + u"/it's \"a\" $HOME `echo x` run"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(GetParam().install(program));

    EXPECT_EQ(desktop.probe(program, ShowCommand::Normal), 0);
    EXPECT_EQ(desktop.launchLog(u"program"_s),
              logLines({u"self="_s + program, u"count=0"_s, u"cwd="_s + canonical(folder)}));
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramItemTest, ::testing::ValuesIn(programKinds),
                         [](const auto &kind) { return std::string(kind.param.name); });

TEST_F(ShellOpenTest, folderOpensInItsHandler_workingInsideIt) {
    const QString folder = desktop.item(u"My Folder"_s);
    ASSERT_TRUE(QDir().mkpath(folder));

    EXPECT_EQ(desktop.probe(folder, ShowCommand::Minimized), 0);
    EXPECT_EQ(desktop.launchLog(u"files"_s),
              logLines({u"cwd="_s + canonical(folder), u"arg="_s + folder}));
}

// The bus starts such a handler, and only once the request has gone out: a probe that returned
// before the handler's answer could have ended with the request still unsent.
TEST_F(ShellOpenTest, folderHandlerStartedOverTheBus_hasTheFolderWhenTheCallReturns) {
    const QString folder = desktop.item(u"Bus Folder"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString id = u"org.runvoy.TestFiler"_s;
    ASSERT_TRUE(writeFile(desktop.at(u"data/applications/"_s + id + u".desktop"_s),
                          desktop.applicationEntry(u"spawned"_s, " %f") +
                              "DBusActivatable=true\nMimeType=inode/directory;\n"));
    ASSERT_TRUE(desktop.addBusService(id, u"filer"_s));
    ASSERT_TRUE(desktop.setDefaultHandler("inode/directory", id + u".desktop"_s));

    EXPECT_EQ(desktop.probe(folder, ShowCommand::Normal), 0);
    QFile log(desktop.at(u"logs/filer"_s));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll().toStdString(), logLines({u"arg="_s + folder}));
}

TEST_F(ShellOpenTest, documentOpensInItsDefaultHandler_workingInItsFolder) {
    EXPECT_EQ(desktop.probe(desktop.item(u"notes.txt"_s), ShowCommand::Maximized), 0);
    EXPECT_EQ(desktop.launchLog(u"text"_s), textOpened(desktop.item(u"notes.txt"_s)));
}

// The path reaches the handler in the bytes the file system holds.
TEST_F(ShellOpenTest, documentWhoseNameIsNotUtf8_opensInItsDefaultHandler) {
    const QByteArray document = QFile::encodeName(desktop.item({})) + "Caf\xe9.txt";
    ASSERT_TRUE(std::ofstream(document.constData()) << "Menu\n");

    EXPECT_EQ(desktop.probe(document, ShowCommand::Normal), 0);
    EXPECT_EQ(desktop.launchLog(u"text"_s), "cwd=" + canonical(desktop.item({})).toStdString() +
                                                "\narg=" + document.toStdString() + "\n");
}

TEST_F(ShellOpenTest, applicationEntryStartsItsProgram_workingInTheEntrysFolder) {
    ASSERT_TRUE(writeFile(desktop.item(u"tool.desktop"_s), desktop.applicationEntry(u"app"_s)));

    EXPECT_EQ(desktop.probe(desktop.item(u"tool.desktop"_s), ShowCommand::Normal), 0);
    EXPECT_EQ(desktop.launchLog(u"app"_s), logLines({u"cwd="_s + canonical(desktop.item({}))}));
}

TEST_F(ShellOpenTest, linkEntryOpensItsUrl) {
    ASSERT_TRUE(writeFile(desktop.item(u"notes link.desktop"_s),
                          "[Desktop Entry]\nType=Link\nName=Notes\nURL=file://" +
                              QFile::encodeName(desktop.item(u"notes.txt"_s)) + "\n"));

    EXPECT_EQ(desktop.probe(desktop.item(u"notes link.desktop"_s), ShowCommand::Normal), 0);
    EXPECT_EQ(desktop.launchLog(u"text"_s), textOpened(desktop.item(u"notes.txt"_s)));
}

TEST_F(ShellOpenTest, relativePathCountsFromCurrentFolder_leadingDashIsNoOption) {
    ASSERT_TRUE(writeFile(desktop.item(u"-notes.txt"_s), "Dash\n"));

    EXPECT_EQ(desktop.probe(u"-notes.txt"_s, ShowCommand::Normal, desktop.item({})), 0);
    EXPECT_EQ(desktop.launchLog(u"text"_s), textOpened(desktop.item(u"-notes.txt"_s)));
}

TEST_F(ShellOpenTest, executableDocumentWithoutInterpreter_opensAsDocumentAndNeverRuns) {
    const QString document = desktop.item(u"todo.txt"_s);
    ASSERT_TRUE(
        writeFile(document, "touch " + shellQuoted(desktop.at(u"interpreted"_s)) + "\n", true));

    EXPECT_EQ(desktop.probe(document, ShowCommand::Normal), 0);
    EXPECT_EQ(desktop.launchLog(u"text"_s), textOpened(document));
    EXPECT_FALSE(QFile::exists(desktop.at(u"interpreted"_s)));
}

TEST_F(ShellOpenTest, itemsThatCannotBeOpened_reportFailureAndStartNothing) {
    ASSERT_TRUE(writeFile(desktop.item(u"blob.rvtest"_s), QByteArray("\0\1\2\3\xfe\xff", 6)));
    ASSERT_TRUE(
        writeFile(desktop.item(u"menu.desktop"_s), "[Desktop Entry]\nType=Directory\nName=Menu\n"));
    const struct {
        const char *name;
        QString path;
    } cases[] = {
        {"missing file", desktop.item(u"gone.txt"_s)},
        {"empty path", QString()},
        {"no handler for its type", desktop.item(u"blob.rvtest"_s)},
        {"entry that neither starts nor links", desktop.item(u"menu.desktop"_s)},
        // Cut at the NUL, the path would name notes.txt, which does open.
        {"NUL inside the path", desktop.item(u"notes.txt"_s) + QChar(u'\0') + u"gone"_s},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.name);
        EXPECT_EQ(desktop.probe(scenario.path, ShowCommand::Normal), 1);
        EXPECT_FALSE(desktop.hasLogs());
    }
}

} // namespace
