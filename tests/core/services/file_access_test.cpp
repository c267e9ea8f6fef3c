#include "platform/file_access.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::FileFault;
using testsupport::TemporaryFolder;

namespace {

// Puts something at a path inside the folder and returns the path.
using Place = fs::path (*)(const TemporaryFolder &folder);

fs::path fifo(const TemporaryFolder &folder) {
    testsupport::makeFifo(folder / "pipe");
    return folder / "pipe";
}
fs::path linkToDevice(const TemporaryFolder &folder) {
    fs::create_symlink("/dev/zero", folder / "zero");
    return folder / "zero";
}
fs::path subfolder(const TemporaryFolder &folder) {
    fs::create_directory(folder / "folder");
    return folder / "folder";
}

struct ReadRow {
    const char *name;
    Place place;
    FileFault fault;
};

class ReadWholeFileRefuses : public testing::TestWithParam<ReadRow> {};

// Each returns at once: a pipe without a writer or an endless device must not keep it waiting.
TEST_P(ReadWholeFileRefuses, whatIsNoRegularFileWithinTheBound) {
    TemporaryFolder folder;
    std::string bytes = "left over";
    const platform::FileOutcome read = platform::readWholeFile(GetParam().place(folder), 10, bytes);
    EXPECT_EQ(read.fault, GetParam().fault);
    EXPECT_EQ(bytes, "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadWholeFileRefuses,
    testing::Values(ReadRow{"missing_file", [](const TemporaryFolder &f) { return f / "gone"; },
                            FileFault::NotFound},
                    ReadRow{"missing_folder",
                            [](const TemporaryFolder &f) { return f / "no" / "such"; },
                            FileFault::FolderNotFound},
                    ReadRow{"file_on_the_way",
                            [](const TemporaryFolder &f) {
                                testsupport::writeFile(f / "file", "x");
                                return f / "file" / "inner";
                            },
                            FileFault::NotAFolder},
                    ReadRow{"folder", subfolder, FileFault::IsAFolder},
                    ReadRow{"fifo", fifo, FileFault::NotARegularFile},
                    ReadRow{"link_to_device", linkToDevice, FileFault::NotARegularFile},
                    ReadRow{"over_the_bound",
                            [](const TemporaryFolder &f) {
                                testsupport::writeFile(f / "big", "0123456789A");
                                return f / "big";
                            },
                            FileFault::TooLarge}),
    testsupport::RowName());

TEST(ReadWholeFile, readsAFileOfTheBoundThroughALink) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "file", "0123456789");
    fs::create_symlink(folder / "file", folder / "link");
    std::string bytes;
    EXPECT_TRUE(platform::readWholeFile(folder / "link", 10, bytes).ok());
    EXPECT_EQ(bytes, "0123456789");
}

// Files such as those of /proc say they are empty and still have something to read.
TEST(ReadWholeFile, readsPastTheSizeTheSystemTellsUpToTheBound) {
    std::string bytes;
    EXPECT_TRUE(platform::readWholeFile("/proc/self/status", 1024 * 1024, bytes).ok());
    EXPECT_TRUE(bytes.starts_with("Name:")) << bytes;
    EXPECT_EQ(platform::readWholeFile("/proc/self/status", 10, bytes).fault, FileFault::TooLarge);
}

struct ReplaceRow {
    const char *name;
    Place place;
    FileFault fault;
};

class ReplaceFileRefuses : public testing::TestWithParam<ReplaceRow> {};

TEST_P(ReplaceFileRefuses, whatIsNoRegularFileAndLeavesItAlone) {
    TemporaryFolder folder;
    const fs::path path = GetParam().place(folder);
    const fs::file_type before = fs::symlink_status(path).type();
    EXPECT_EQ(platform::replaceFile(path, "new").fault, GetParam().fault);
    EXPECT_EQ(fs::symlink_status(path).type(), before);
    EXPECT_EQ(folder.names(), std::vector<std::string>{path.filename()});
}

INSTANTIATE_TEST_SUITE_P(Table, ReplaceFileRefuses,
                         testing::Values(ReplaceRow{"folder", subfolder, FileFault::IsAFolder},
                                         ReplaceRow{"fifo", fifo, FileFault::NotARegularFile},
                                         ReplaceRow{"link_to_device", linkToDevice,
                                                    FileFault::NotARegularFile}),
                         testsupport::RowName());

TEST(ReplaceFile, replacesTheFileALinkNamesAndKeepsTheLink) {
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
