#include "desktop_fixture.h"

#include "installer/freedesktop_store.h"

#include <algorithm>
#include <future>
#include <sys/stat.h>

namespace {

std::string mimePackageClaimingRvq(const std::string &type) {
    return "<?xml version=\"1.0\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           type +
           "\"><comment>Other batch</comment><glob pattern=\"*.rvq\"/></mime-type>\n"
           "</mime-info>\n";
}

} // namespace

TEST_F(KestrumDesktop, afterOneRun_theDesktopKnowsBatchFilesAsRunvoys) {
    const std::string usersOwnLines = "# mine\n[Default Applications]\ntext/plain=editor.desktop\n";
    writeText(configHome / "mimeapps.list", usersOwnLines);
    const fs::path folder = installProgramFolder("Runvoy");

    const CommandResult run = runKestrum(folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");

    const fs::path batch = writeBatchFile();
    EXPECT_EQ(runCommand({"xdg-mime", "query", "filetype", batch.string()}).output,
              "application/x-rvqfile\n");
    EXPECT_EQ(runCommand({"xdg-mime", "query", "default", "application/x-rvqfile"}).output,
              "runvoy-open.desktop\n");
    // "Open With" offers the type's registered applications, though no menu shows them.
    EXPECT_NE(runCommand({"gio", "mime", "application/x-rvqfile"}).output.find("runvoy-edit"),
              std::string::npos);
    EXPECT_NE(readText(dataHome / "applications/runvoy-edit.desktop").find("Name=Edit\n"),
              std::string::npos);
    EXPECT_NE(readText(dataHome / "applications/runvoy-open.desktop").find("NoDisplay=true\n"),
              std::string::npos);
    EXPECT_NE(readText(dataHome / "mime/application/x-rvqfile.xml").find("<comment>Runvoy<"),
              std::string::npos);
    EXPECT_EQ(readText(dataHome / "icons/hicolor/scalable/mimetypes/application-x-rvqfile.svg"),
              readText(folder / "runvoy-batch.svg"));
    EXPECT_EQ(readText(configHome / "mimeapps.list").substr(0, usersOwnLines.size()),
              usersOwnLines);
    EXPECT_EQ(kestrum::FreedesktopStore(kestrum::xdgDirsFromEnvironment(), std::chrono::seconds(1))
                  .fileTypeOf(".rvq"),
              "application/x-rvqfile");
}

TEST_F(KestrumDesktop, secondRun_changesNoFile) {
    const fs::path folder = installProgramFolder("Runvoy");
    ASSERT_EQ(runKestrum(folder).exitCode, 0);
    const auto afterFirstRun = snapshot(root);

    ASSERT_EQ(runKestrum(folder).exitCode, 0);
    EXPECT_EQ(snapshot(root), afterFirstRun);
}

TEST_F(KestrumDesktop, plantedSymlinks_areReplacedNeverFollowed) {
    const fs::path folder = installProgramFolder("Runvoy");
    const std::string usersList = "[Default Applications]\ntext/plain=editor.desktop\n";
    struct Link {
        fs::path path;
        fs::path target;
        std::string text;
    };
    // The icon's target already holds the icon: a link must go even when nothing else changes.
    const std::vector<Link> links{
        {dataHome / "applications/runvoy-open.desktop", root / "entry", "not an entry\n"},
        {configHome / "mimeapps.list", root / "list", usersList},
        {dataHome / "icons/hicolor/scalable/mimetypes/application-x-rvqfile.svg", root / "icon",
         readText(folder / "runvoy-batch.svg")},
    };
    for (const Link &link : links) {
        writeText(link.target, link.text);
        fs::create_directories(link.path.parent_path());
        fs::create_symlink(link.target, link.path);
    }

    ASSERT_EQ(runKestrum(folder).output, "");
    for (const Link &link : links) {
        SCOPED_TRACE(link.path);
        EXPECT_FALSE(fs::is_symlink(link.path));
        EXPECT_EQ(readText(link.target), link.text);
    }
    // What the user's list said through the link is kept.
    EXPECT_EQ(readText(configHome / "mimeapps.list").substr(0, usersList.size()), usersList);
}

TEST_F(KestrumDesktop, twoRunsAtOnce_bothSucceedAndLeaveWhatOneRunDoes) {
    const fs::path folder = installProgramFolder("Runvoy");
    const auto freshDesktop = [&] {
        fs::remove_all(dataHome);
        fs::remove_all(configHome);
        writeText(configHome / "mimeapps.list", "# mine\n[Default Applications]\na/b=c.desktop");
    };
    freshDesktop();
    ASSERT_EQ(runKestrum(folder).output, "");
    const auto afterOneRun = snapshot(root);

    for (int pair = 1; pair <= 20; ++pair) {
        SCOPED_TRACE("pair " + std::to_string(pair));
        freshDesktop();
        auto second = std::async(std::launch::async, [&] { return runKestrum(folder); });
        const CommandResult first = runKestrum(folder);
        for (const CommandResult &run : {first, second.get()}) {
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.output, "");
        }
        EXPECT_EQ(snapshot(root), afterOneRun);
    }
}

TEST_F(KestrumDesktop, typeOfAnotherProgramClaimingRvq_isReused) {
    addSystemMimePackage("other.xml", mimePackageClaimingRvq("text/x-otherbatch"));
    ASSERT_EQ(runKestrum(installProgramFolder("Runvoy")).exitCode, 0);

    const fs::path batch = writeBatchFile();
    EXPECT_EQ(runCommand({"xdg-mime", "query", "filetype", batch.string()}).output,
              "text/x-otherbatch\n");
    EXPECT_EQ(runCommand({"xdg-mime", "query", "default", "text/x-otherbatch"}).output,
              "runvoy-open.desktop\n");
    EXPECT_NE(readText(dataHome / "mime/text/x-otherbatch.xml").find("<comment>Runvoy<"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dataHome / "mime/packages/runvoy-extension-rvq.xml"));
}

TEST_F(KestrumDesktop, openAndEdit_startRunvoyWithTheirSwitch_fromAnyProgramFolder) {
    const fs::path batch = writeBatchFile();
    for (const std::string name : {"Runvoy", "my \"best\" \\tools\\ $HOME `id` 100% it's"}) {
        SCOPED_TRACE(name);
        const fs::path folder = installProgramFolder(name);
        ASSERT_EQ(runKestrum(folder).output, "");

        // A double-click in the file manager.
        runCommand({"gio", "open", batch.string()});
        EXPECT_EQ(waitForFile(folder / "runvoy.log"), "/o\n" + batch.string() + "\n");
        fs::remove(folder / "runvoy.log");

        runCommand({"gio", "launch", (dataHome / "applications/runvoy-edit.desktop").string(),
                    batch.string()});
        EXPECT_EQ(waitForFile(folder / "runvoy.log"), "/e\n" + batch.string() + "\n");
    }
}

TEST_F(KestrumDesktop, programFolderWithEquals_failsEachVerbAndWritesNoEntry) {
    const CommandResult run = runKestrum(installProgramFolder("a=b"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.output.find("kestrum: cannot write the \"open\" command"), 0u);
    EXPECT_NE(run.output.find("\nkestrum: cannot write the \"Edit\" command"), std::string::npos);
    EXPECT_EQ(std::ranges::count(run.output, '\n'), 2);
    EXPECT_FALSE(fs::exists(dataHome / "applications/runvoy-open.desktop"));
}

TEST_F(KestrumDesktop, nothingWritable_failsWithOneLine) {
    writeText(dataHome, "a file where the data folder should be");
    const CommandResult run = runKestrum(installProgramFolder("Runvoy"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(std::ranges::count(run.output, '\n'), 1) << run.output;
}

TEST_F(KestrumDesktop, realRunvoy_runsTheBatchOfADoubleClick) {
    const fs::path built = RUNVOY_BUILD_PROGRAM_DIR;
    if (!fs::exists(built / "runvoy"))
        GTEST_SKIP() << "runvoy is not built yet";
    const fs::path folder = root / "program";
    fs::copy(built, folder, fs::copy_options::recursive);

    // The item is a script that the desktop runs through a handler of its own type.
    addSystemMimePackage("item.xml", "<?xml version=\"1.0\"?>\n<mime-info xmlns=\"http://www."
                                     "freedesktop.org/standards/shared-mime-info\">\n"
                                     "  <mime-type type=\"application/x-kestrum-test-item\">"
                                     "<glob pattern=\"*.kestrumitem\"/></mime-type>\n"
                                     "</mime-info>\n");
    writeText(systemData / "applications/kestrum-test-item.desktop",
              "[Desktop Entry]\nType=Application\nName=Item\nExec=/bin/sh %f\n"
              "MimeType=application/x-kestrum-test-item;\n");
    writeText(
        configHome / "mimeapps.list",
        "[Default Applications]\napplication/x-kestrum-test-item=kestrum-test-item.desktop\n");
    const fs::path item = root / "item.kestrumitem";
    writeText(item, "echo ran > \"$(dirname \"$0\")/item.log\"\n");
    ASSERT_EQ(runKestrum(folder).output, "");

    runCommand({"gio", "open", writeBatchFile(item.string()).string()});
    EXPECT_EQ(waitForFile(root / "item.log"), "ran\n");
}

namespace {

void makeFifo(const fs::path &path) {
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
}
void linkToDevZero(const fs::path &path) {
    fs::create_symlink("/dev/zero", path);
}
void makeLargeFile(const fs::path &path) {
    writeText(path, "");
    fs::resize_file(path, 2 << 20);
}

struct HostileFileCase {
    std::string name;
    fs::path file; // below the test's root
    void (*plant)(const fs::path &);
    std::string why;
    std::ptrdiff_t failedEntries;
};

class HostileFile : public KestrumDesktop, public testing::WithParamInterface<HostileFileCase> {};

} // namespace

TEST_P(HostileFile, isNamedAndLeftAsItIs) {
    const fs::path file = root / GetParam().file;
    fs::create_directories(file.parent_path());
    GetParam().plant(file);
    const fs::file_type planted = fs::symlink_status(file).type();

    const CommandResult run = runKestrum(installProgramFolder("Runvoy"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find(file.string() + ": " + GetParam().why + "\n"), std::string::npos)
        << run.output;
    EXPECT_EQ(std::ranges::count(run.output, '\n'), GetParam().failedEntries) << run.output;
    EXPECT_EQ(fs::symlink_status(file).type(), planted);
}

INSTANTIATE_TEST_SUITE_P(
    KestrumDesktop, HostileFile,
    testing::Values(
        HostileFileCase{"mimeappsListFifo", "config/mimeapps.list", makeFifo, "not a regular file",
                        2},
        HostileFileCase{"mimeappsListLinkToDevZero", "config/mimeapps.list", linkToDevZero,
                        "not a regular file", 2},
        HostileFileCase{"mimeappsListOver1MiB", "config/mimeapps.list", makeLargeFile,
                        "larger than 1 MiB", 2},
        HostileFileCase{"globListFifo", "data/mime/globs2", makeFifo, "not a regular file", 1},
        HostileFileCase{"desktopEntryFifo", "data/applications/runvoy-open.desktop", makeFifo,
                        "not a regular file", 2},
        HostileFileCase{"mimePackageFifo",
                        "data/mime/packages/runvoy-description-application-x-rvqfile.xml", makeFifo,
                        "not a regular file", 3}),
    [](const auto &info) { return info.param.name; });

TEST_F(KestrumDesktop, lockHeldByAStoppedRun_failsNamingTheLockAndItsHolder) {
    const fs::path lock = dataHome / "runvoy-kestrum.lock";
    const StoppedLockHolder holder(lock);
    const CommandResult run = runCommand({"timeout", "60", KESTRUM_QUICK_LOCK_EXECUTABLE});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.output, "kestrum: cannot look up the file type of .rvq: cannot lock " +
                              lock.string() + ": held by process " + std::to_string(holder.pid) +
                              " (kestrum_tests) for more than 1 s\n");
}
