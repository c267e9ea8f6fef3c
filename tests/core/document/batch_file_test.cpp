#include "core/document/batch_file.h"
#include "core/document/program_error.h"
#include "platform/batch_text.h"
#include "platform/path_text.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using platform::FileFault;
using platform::FileOutcome;
using testsupport::Standing;
using testsupport::TemporaryFolder;

namespace {

Batch morningRows() {
    return {"Morning",
            {
                {"C:\\Tools\\editor.exe", "0", WindowState::Normal},
                {"", "9", WindowState::Maximized},
                {"D:\\Docs\\notes.txt", "5", WindowState::Maximized},
                {"", "0", WindowState::Normal},
                {"", "0", WindowState::Normal},
            }};
}

const std::string MorningBytes = "\"C:\\Tools\\editor.exe\"\r\n\"0\"\r\n\"Normal\"\r\n"
                                 "\"D:\\Docs\\notes.txt\"\r\n\"5\"\r\n\"Maximized\"\r\n";

std::string saveError(const fs::path &path, const Batch &batch,
                      platform::DiskSync sync = platform::syncToDisk) {
    try {
        writeBatchFile(path, batch, sync);
    } catch (const ProgramError &failure) {
        return failure.description();
    }
    return {};
}

// The message with "<path>" in it standing for path.
std::string naming(std::string message, const fs::path &path) {
    return message.replace(message.find("<path>"), 6, platform::textFromPath(path));
}

TEST(BatchFile, writesTheMorningExampleByteForByte) {
    TemporaryFolder folder;
    writeBatchFile(folder / "Morning.rvq", morningRows());
    EXPECT_EQ(testsupport::fileBytes(folder / "Morning.rvq"), MorningBytes);
}

struct RoundTripRow {
    const char *name;
    std::string fileName;
    std::string batchName;
};

class BatchFileRoundTrip : public testing::TestWithParam<RoundTripRow> {};

// Text beyond ASCII that the system's encoding holds: UTF-8 holds every script, the ANSI code
// page of Wine (1252) the letters of western Europe.
#ifdef _WIN32
const std::string BeyondAscii = "C:\\Users\\Jürgen\\Café Ærø.txt";
#else
const std::string BeyondAscii = "/home/mü/日本/Πρωί 🌅.txt";
#endif

// Only what the file holds must be text: its name is whatever bytes the folder gives it.
TEST_P(BatchFileRoundTrip, readsBackExactlyWhatWasWritten) {
    const fs::path name = platform::pathFromText(GetParam().fileName);
    if (platform::textFromPath(name) != GetParam().fileName)
        GTEST_SKIP() << "Windows names files in UTF-16 text: every name is text";
    TemporaryFolder folder;
    const fs::path path = folder / name;
    const Batch batch = {GetParam().batchName,
                         {
                             {"/home/me/a, b $x `y` 'q'.sh", "", WindowState::Minimized},
                             {BeyondAscii, "2.5", std::nullopt},
                             {"/x", "soon", WindowState::Maximized},
                         }};
    writeBatchFile(path, batch);
    const BatchFileReading reading = readBatchFile(path);
    EXPECT_FALSE(reading.failure) << reading.failure->description();
    EXPECT_EQ(reading.batch, batch);
}

INSTANTIATE_TEST_SUITE_P(Table, BatchFileRoundTrip,
                         testing::Values(RoundTripRow{"plain_name", "Trip.rvq", "Trip"},
                                         RoundTripRow{"name_not_utf8", "name_\xe9\xff.rvq",
                                                      "name_\xe9\xff"}),
                         testsupport::RowName());

struct PartialRow {
    const char *name;
    std::string bytes;
    std::size_t items;
    std::vector<std::string> cutShort;
    std::string failure; // how its description begins; empty for none
};

class BatchFilePartialReading : public testing::TestWithParam<PartialRow> {};

// A failure keeps what was read before it, the fields of the item it cut short included; the
// name comes only with the whole file.
TEST_P(BatchFilePartialReading, keepsWhatWasReadBeforeTheFailure) {
    const PartialRow &row = GetParam();
    if (row.name == std::string_view("not_text") && platform::textFromBatchBytes(row.bytes))
        GTEST_SKIP() << "every byte is a character of the system's code page";
    const BatchFileReading reading = readBatchFileBytes(row.bytes, fs::path("/x") / "Morning.rvq");
    EXPECT_EQ(reading.batch.items.size(), row.items);
    EXPECT_EQ(reading.cutShort, row.cutShort);
    EXPECT_EQ(reading.batch.name, row.failure.empty() ? "Morning" : "");
    ASSERT_EQ(reading.failure.has_value(), !row.failure.empty());
    if (reading.failure) {
        EXPECT_TRUE(reading.failure->description().starts_with(row.failure))
            << reading.failure->description();
    }
}

const std::string Item = testsupport::batchItem("/a", "Normal", "1");

INSTANTIATE_TEST_SUITE_P(
    Table, BatchFilePartialReading,
    testing::Values(
        PartialRow{"whole", Item + Item, 2, {}, ""}, PartialRow{"empty", "", 0, {}, ""},
        PartialRow{"cut_after_a_path", Item + "\"/b\"\r\n", 1, {"/b"}, "Input past end of file"},
        PartialRow{"damaged_state",
                   Item + "\"/b\"\r\n\"2\"\r\n\"Nor",
                   1,
                   {"/b", "2"},
                   "Invalid file format"},
        PartialRow{
            "six_items", Item + Item + Item + Item + Item + Item, 5, {}, "Subscript out of range"},
        PartialRow{"not_text", "\"/\xff\"", 0, {}, "Invalid file format"}),
    testsupport::RowName());

struct UnstorableRow {
    const char *name;
    BatchItem row;
};

class BatchFileUnstorable : public testing::TestWithParam<UnstorableRow> {};

TEST_P(BatchFileUnstorable, refusesAValueItCannotHoldAndKeepsTheOldFile) {
    TemporaryFolder folder;
    writeBatchFile(folder / "Keep.rvq", morningRows());
    EXPECT_NE(saveError(folder / "Keep.rvq", {"Keep", {GetParam().row}}), "");
    EXPECT_EQ(testsupport::fileBytes(folder / "Keep.rvq"), MorningBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchFileUnstorable,
    testing::Values(UnstorableRow{"double_quote", {"/tmp/say \"hi\"", "0", WindowState::Normal}},
                    UnstorableRow{"line_break", {"/tmp/a\nb", "0", WindowState::Normal}},
                    UnstorableRow{"not_text", {"/tmp/\xed\xa0\x80", "0", WindowState::Normal}}),
    testsupport::RowName());

#ifdef _WIN32
// On Windows a batch file is text in the ANSI code page (Wine's is 1252): a letter it holds is
// saved as its one byte there, and one it lacks refuses the save, which then writes nothing.
TEST(BatchFileInTheCodePage, savesALetterItHoldsAsItsByteAndRefusesOneItLacks) {
    TemporaryFolder folder;
    const fs::path path = folder / "Text.rvq";
    writeBatchFile(path, {"Text", {{"C:\\café", "0", WindowState::Normal}}});
    const std::string cafe = testsupport::batchItem("C:\\caf\xe9");
    EXPECT_EQ(testsupport::fileBytes(path), cafe);
    EXPECT_EQ(readBatchFile(path).batch.items.at(0).path, "C:\\café");
    EXPECT_EQ(saveError(path, {"Text", {{"C:\\Ω", "0", WindowState::Normal}}}),
              naming("The batch holds characters that the system's encoding cannot represent "
                     "(saving <path>)",
                     path));
    EXPECT_EQ(testsupport::fileBytes(path), cafe);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Text.rvq"});
}
#endif

struct FailureRow {
    const char *name;
    Standing standing;   // what stands at the first name of the path
    fs::path path;       // in the test folder
    std::string message; // "<path>" stands for the whole path
    platform::DiskSync sync = platform::syncToDisk;
};

FileOutcome failingSync(std::intptr_t) {
    return {FileFault::Io, "injected"};
}
FileOutcome fullDisk(std::intptr_t) {
    return {FileFault::DiskFull, {}};
}

class BatchFileSaveFailure : public testing::TestWithParam<FailureRow> {};

// A save that fails says why, and leaves the folder as it was: what stood at the path as it
// was, an old file byte for byte, and no temporary file beside it.
TEST_P(BatchFileSaveFailure, saysWhyAndLeavesTheFolderAsItWas) {
    if (const std::string why = testsupport::whyNotPlaceable(GetParam().standing); !why.empty())
        GTEST_SKIP() << why;
    TemporaryFolder folder;
    const fs::path path = folder / GetParam().path;
    testsupport::place(GetParam().standing, folder / *GetParam().path.begin());
    const std::vector<std::string> names = folder.names();
    std::error_code noType;
    const fs::file_type before = fs::symlink_status(path, noType).type();
    EXPECT_EQ(saveError(path, morningRows(), GetParam().sync), naming(GetParam().message, path));
    EXPECT_EQ(folder.names(), names);
    EXPECT_EQ(fs::symlink_status(path, noType).type(), before);
    if (GetParam().standing == Standing::File && before == fs::file_type::regular) {
        EXPECT_EQ(testsupport::fileBytes(path), "old");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchFileSaveFailure,
    testing::Values(
        FailureRow{"sync_fails", Standing::File, "Keep.rvq", "Device I/O error: <path> (injected)",
                   failingSync},
        FailureRow{"sync_finds_the_disk_full", Standing::File, "Keep.rvq", "Disk full: <path>",
                   fullDisk},
        FailureRow{"missing_folder", Standing::Nothing, "gone/Morning.rvq",
                   "Path not found: <path>"},
        FailureRow{"file_on_the_way", Standing::File, "file/Morning.rvq",
                   "Path not found: <path> (a file stands where a folder on the way should be)"},
        FailureRow{"folder_in_the_way", Standing::Folder, "Morning.rvq",
                   "Path/File access error: <path>"},
        FailureRow{"fifo_in_the_way", Standing::Fifo, "Morning.rvq",
                   "Path/File access error: <path> (not a regular file)"},
        FailureRow{"link_to_a_device", Standing::LinkToDevice, "Morning.rvq",
                   "Path/File access error: <path> (not a regular file)"},
        FailureRow{"name_too_long", Standing::Nothing, std::string(296, 'n') + ".rvq",
                   "File name too long: <path>"}),
    testsupport::RowName());

class ReadBatchFileFailure : public testing::TestWithParam<FailureRow> {};

// None of these keeps the reading waiting: a pipe without a writer and an endless device are
// refused at once.
TEST_P(ReadBatchFileFailure, saysWhyTheFileCannotBeRead) {
    if (const std::string why = testsupport::whyNotPlaceable(GetParam().standing); !why.empty())
        GTEST_SKIP() << why;
    TemporaryFolder folder;
    const fs::path path = folder / GetParam().path;
    testsupport::place(GetParam().standing, folder / *GetParam().path.begin());
    if (GetParam().standing == Standing::LockedFile && std::ifstream(path))
        GTEST_SKIP() << "running with rights that ignore file permissions";
    const BatchFileReading reading = readBatchFile(path);
    ASSERT_TRUE(reading.failure);
    EXPECT_EQ(reading.failure->description(), naming(GetParam().message, path));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadBatchFileFailure,
    testing::Values(
        FailureRow{"missing_file", Standing::Nothing, "gone.rvq", "File not found: <path>"},
        FailureRow{"missing_folder", Standing::Nothing, "no/such.rvq", "Path not found: <path>"},
        FailureRow{"file_on_the_way", Standing::File, "file/Morning.rvq",
                   "Path not found: <path> (a file stands where a folder on the way should be)"},
        FailureRow{"folder", Standing::Folder, "Morning.rvq", "Path/File access error: <path>"},
        FailureRow{"link_to_a_device", Standing::LinkToDevice, "Morning.rvq",
                   "Path/File access error: <path> (not a regular file)"},
        FailureRow{"fifo", Standing::Fifo, "Morning.rvq",
                   "Path/File access error: <path> (not a regular file)"},
        FailureRow{"locked", Standing::LockedFile, "Morning.rvq", "Permission denied: <path>"}),
    testsupport::RowName());

TEST(ReadBatchFile, refusesAFileLargerThanAnyBatch) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "huge.rvq", "");
    fs::resize_file(folder / "huge.rvq", MaxBatchFileSize + 1);
    EXPECT_EQ(readBatchFile(folder / "huge.rvq").failure->description(),
              naming("Invalid file format: <path> (the file is too large)", folder / "huge.rvq"));
}

} // namespace
