#include "core/runner/batch_chain.h"
#include "core/runner/batch_run.h"
#include "platform/environment.h"
#include "platform/path_text.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testsupport::TemporaryFolder;
using Chain = std::vector<fs::path>;

namespace {

// On Linux a name is bytes, text or not; on Windows it is text in any script.
#ifdef _WIN32
const std::string UnusualName = "/x/Πρωί 🌅.rvq";
#else
const std::string UnusualName = "/x/name_\xe9\xff.rvq";
#endif

TEST(BatchChain, readsBackTheTextItWrites) {
    const Chain chain = {"/home/me/Morning.rvq", "/x/a b, c.rvq",
                         platform::pathFromText(UnusualName)};
    EXPECT_EQ(chainText(chain), "/home/me/Morning.rvq\n/x/a b, c.rvq\n" + UnusualName + "\n");
    EXPECT_EQ(chainFromText(chainText(chain)), chain);
    EXPECT_EQ(chainFromText("\n/a.rvq\n\n/b.rvq"), (Chain{"/a.rvq", "/b.rvq"}));
    EXPECT_EQ(chainFromText(""), Chain{});
}

TEST(BatchChain, findsABatchByAnotherSpellingOfItsPath) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "Morning.rvq", "");
    testsupport::writeFile(folder / "Other.rvq", "");
    const Chain chain = {folder / "Other.rvq", folder / "Morning.rvq"};
    EXPECT_TRUE(isInChain(folder / "." / "Morning.rvq", chain));
    EXPECT_FALSE(isInChain(folder / "Morning.rvq", {folder / "Other.rvq"}));
    EXPECT_FALSE(isInChain(folder / "gone.rvq", chain));
}

TEST(BatchChain, findsABatchThroughALink) {
    if (const std::string why = testsupport::whyNoSymlinks(); !why.empty())
        GTEST_SKIP() << why;
    TemporaryFolder folder;
    testsupport::writeFile(folder / "Morning.rvq", "");
    testsupport::writeFile(folder / "Other.rvq", "");
    fs::create_symlink(folder / "Morning.rvq", folder / "Link.rvq");
    EXPECT_TRUE(isInChain(folder / "Link.rvq", {folder / "Other.rvq", folder / "Morning.rvq"}));
    EXPECT_FALSE(isInChain(folder / "Link.rvq", {folder / "Other.rvq"}));
}

// A shell that records what it was asked to open and starts nothing.
struct RecordingShell : platform::Shell {
    std::vector<std::string> opened;
    bool open(const fs::path &path, platform::ShowCommand) override {
        opened.push_back(platform::textFromPath(path));
        return true;
    }
};

struct ChainRow {
    const char *name;
    Chain (*before)(const TemporaryFolder &folder); // the chain the run finds
    bool runs;
    bool throughALink = false; // run by the name of a link to it
};

class RunBatchChain : public testing::TestWithParam<ChainRow> {};

// Every run tells what it starts which batches led to it; a batch that comes back to itself, or
// a chain too deep to be meant, is said to be an item that cannot be started, and nothing runs.
TEST_P(RunBatchChain, runsOnlyABatchNewToItsChain) {
    const bool throughALink = GetParam().throughALink;
    if (const std::string why = testsupport::whyNoSymlinks(); throughALink && !why.empty())
        GTEST_SKIP() << why;
    TemporaryFolder folder;
    testsupport::writeFile(folder / "Morning.rvq", testsupport::batchItem("/bin/true"));
    const fs::path name = throughALink ? "Link.rvq" : "Morning.rvq";
    if (throughALink)
        fs::create_symlink(folder / "Morning.rvq", folder / name);
    const Chain before = GetParam().before(folder);
    const testsupport::ScopedVariable variable(BatchChainVariable, chainText(before));
    RecordingShell shell;
    std::vector<std::string> reports;
    runBatch(folder / name, shell,
             [&reports](const std::string &prompt) { reports.push_back(prompt); });

    Chain after = before;
    if (GetParam().runs)
        after.push_back(folder / name);
    EXPECT_EQ(chainFromText(platform::environmentVariable(BatchChainVariable).value_or("")), after);
    EXPECT_EQ(shell.opened,
              GetParam().runs ? std::vector<std::string>{"/bin/true"} : std::vector<std::string>{});
    EXPECT_EQ(reports, GetParam().runs
                           ? std::vector<std::string>{}
                           : std::vector{invalidItemPrompt(platform::textFromPath(folder / name))});
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunBatchChain,
    testing::Values(
        ChainRow{"first_of_its_chain", [](const TemporaryFolder &) { return Chain{}; }, true},
        ChainRow{"started_by_another_batch",
                 [](const TemporaryFolder &f) { return Chain{f / "Other.rvq"}; }, true},
        ChainRow{"back_to_itself",
                 [](const TemporaryFolder &f) { return Chain{f / "Morning.rvq"}; }, false},
        ChainRow{"back_to_itself_through_a_link",
                 [](const TemporaryFolder &f) { return Chain{f / "Morning.rvq"}; }, false, true},
        ChainRow{"too_deep",
                 [](const TemporaryFolder &f) { return Chain(MaxBatchChain, f / "Other.rvq"); },
                 false}),
    testsupport::RowName());

} // namespace
