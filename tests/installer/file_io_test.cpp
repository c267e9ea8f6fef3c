#include "desktop_fixture.h"

#include "installer/file_io.h"

#include <cstdlib>

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
