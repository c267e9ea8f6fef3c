#include "platform/file_access.h"

#include "tests/support/file_bytes.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

// What reading and saving refuse is in the batch file's tests, with the messages it gives.

namespace fs = std::filesystem;
using platform::FileFault;
using testsupport::TemporaryFolder;

namespace {

TEST(ReadWholeFile, readsAFileAsLargeAsTheBoundAndNoLarger) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "file", "0123456789");
    std::string bytes;
    EXPECT_TRUE(platform::readWholeFile(folder / "file", 10, bytes).ok());
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(platform::readWholeFile(folder / "file", 9, bytes).fault, FileFault::TooLarge);
    EXPECT_EQ(bytes, "");
}

TEST(ReadWholeFile, readsThroughALink) {
    if (const std::string why = testsupport::whyNoSymlinks(); !why.empty())
        GTEST_SKIP() << why;
    TemporaryFolder folder;
    testsupport::writeFile(folder / "file", "0123456789");
    fs::create_symlink(folder / "file", folder / "link");
    std::string bytes;
    EXPECT_TRUE(platform::readWholeFile(folder / "link", 10, bytes).ok());
    EXPECT_EQ(bytes, "0123456789");
}

// Files such as those of /proc say they are empty and still have something to read.
TEST(ReadWholeFile, readsPastTheSizeTheSystemTellsUpToTheBound) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /proc, whose files say that they are empty";
#endif
    std::string bytes;
    EXPECT_TRUE(platform::readWholeFile("/proc/self/status", 1024 * 1024, bytes).ok());
    EXPECT_TRUE(bytes.starts_with("Name:")) << bytes;
    EXPECT_EQ(platform::readWholeFile("/proc/self/status", 10, bytes).fault, FileFault::TooLarge);
}

TEST(ReplaceFile, replacesTheFileALinkNamesAndKeepsTheLink) {
    if (const std::string why = testsupport::whyNoSymlinks(); !why.empty())
        GTEST_SKIP() << why;
    TemporaryFolder folder;
    fs::create_directory(folder / "real");
    testsupport::writeFile(folder / "real" / "Morning.rvq", "old");
    fs::create_symlink(folder / "real" / "Morning.rvq", folder / "Morning.rvq");
    ASSERT_TRUE(platform::replaceFile(folder / "Morning.rvq", "new").ok());
    EXPECT_TRUE(fs::is_symlink(folder / "Morning.rvq"));
    EXPECT_EQ(testsupport::fileBytes(folder / "real" / "Morning.rvq"), "new");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"Morning.rvq", "real"}));
}

// The temporary file beside it must have a short name of its own, or the second save fails.
TEST(ReplaceFile, aNameNearTheFileSystemsLimitSavesAgainAndAgain) {
    TemporaryFolder folder;
    const std::string name = std::string(246, 'n') + ".rvq";
    for (const char *bytes : {"first", "second"})
        ASSERT_TRUE(platform::replaceFile(folder / name, bytes).ok()) << bytes;
    EXPECT_EQ(testsupport::fileBytes(folder / name), "second");
    EXPECT_EQ(folder.names(), std::vector<std::string>{name});
}

} // namespace
