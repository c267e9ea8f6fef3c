#include "desktop_fixture.h"

#include "installer/file_io.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace {

class FileIo : public testing::Test {
protected:
    FileIo() {
        std::string name = (fs::temp_directory_path() / "kestrum-file-io-XXXXXX").string();
        if (!mkdtemp(name.data()))
            throw std::runtime_error("cannot make a temporary folder");
        folder = name;
    }
    ~FileIo() override { fs::remove_all(folder); }

    fs::path folder;
};

} // namespace

TEST_F(FileIo, changeByAnotherProgramWhileEditing_isKept) {
    const fs::path file = folder / "mimeapps.list";
    writeText(file, "mine\n");
    int edits = 0;
    kestrum::editFile(file, [&](const std::optional<std::string> &text) {
        if (++edits == 1)
            writeText(file, *text + "theirs\n");
        return *text + "ours\n";
    });
    EXPECT_EQ(readText(file), "mine\ntheirs\nours\n");
}

TEST_F(FileIo, failedWrite_leavesTheOldFileAndNothingElse) {
    const fs::path file = folder / "entry";
    writeText(file, "old\n");
    // A limit on file sizes makes the write fail as a full disk does.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit unchanged = limit;
    limit.rlim_cur = 4;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_THROW(kestrum::replaceFile(file, "longer than the limit\n"), std::system_error);
    setrlimit(RLIMIT_FSIZE, &unchanged);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(snapshot(folder), (std::map<fs::path, std::string>{{file, "old\n"}}));
}
