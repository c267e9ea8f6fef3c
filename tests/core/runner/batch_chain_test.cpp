#include "core/runner/batch_chain.h"
#include "core/runner/batch_run.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testsupport::TemporaryFolder;
using Chain = std::vector<fs::path>;

namespace {

TEST(BatchChain, readsBackTheTextItWrites) {
    const Chain chain = {"/home/me/Morning.rvq", "/x/a b, c.rvq", "/x/name_\xe9\xff.rvq"};
    EXPECT_EQ(chainText(chain), "/home/me/Morning.rvq\n/x/a b, c.rvq\n/x/name_\xe9\xff.rvq\n");
    EXPECT_EQ(chainFromText(chainText(chain)), chain);
    EXPECT_EQ(chainFromText("\n/a.rvq\n\n/b.rvq"), (Chain{"/a.rvq", "/b.rvq"}));
    EXPECT_EQ(chainFromText(""), Chain{});
}

TEST(BatchChain, findsABatchThroughALink) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "Morning.rvq", "");
    testsupport::writeFile(folder / "Other.rvq", "");
    fs::create_symlink(folder / "Morning.rvq", folder / "Link.rvq");
    const Chain chain = {folder / "Other.rvq", folder / "Morning.rvq"};
    EXPECT_TRUE(isInChain(folder / "Link.rvq", chain));
    EXPECT_TRUE(isInChain(folder / "." / "Morning.rvq", chain));
    EXPECT_FALSE(isInChain(folder / "Link.rvq", {folder / "Other.rvq"}));
    EXPECT_FALSE(isInChain(folder / "gone.rvq", chain));
}

// A shell that records what it was asked to open and starts nothing.
struct RecordingShell : platform::Shell {
    std::vector<std::string> opened;
    bool open(const fs::path &path, platform::ShowCommand) override {
        opened.push_back(path.native());
        return true;
    }
};

struct ChainRow {
    const char *name;
    Chain (*before)(const TemporaryFolder &folder); // the chain the run finds
    bool runs;
};

class RunBatchChain : public testing::TestWithParam<ChainRow> {};

// Every run tells what it starts which batches led to it; a batch that comes back to itself, or
// a chain too deep to be meant, is said to be an item that cannot be started, and nothing runs.
TEST_P(RunBatchChain, runsOnlyABatchNewToItsChain) {
    TemporaryFolder folder;
    testsupport::writeFile(folder / "Morning.rvq", testsupport::batchItem("/bin/true"));
    fs::create_symlink(folder / "Morning.rvq", folder / "Link.rvq");
    const Chain before = GetParam().before(folder);
    const testsupport::ScopedVariable variable(BatchChainVariable, chainText(before));
    RecordingShell shell;
    std::vector<std::string> reports;
    runBatch(folder / "Link.rvq", shell,
             [&reports](const std::string &prompt) { reports.push_back(prompt); });

    Chain after = before;
    if (GetParam().runs)
        after.push_back(folder / "Link.rvq");
    EXPECT_EQ(chainFromText(std::getenv(BatchChainVariable)), after);
    EXPECT_EQ(shell.opened,
              GetParam().runs ? std::vector<std::string>{"/bin/true"} : std::vector<std::string>{});
    EXPECT_EQ(reports, GetParam().runs
                           ? std::vector<std::string>{}
                           : std::vector{invalidItemPrompt((folder / "Link.rvq").native())});
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunBatchChain,
    testing::Values(
        ChainRow{"first_of_its_chain", [](const TemporaryFolder &) { return Chain{}; }, true},
        ChainRow{"started_by_another_batch",
                 [](const TemporaryFolder &f) { return Chain{f / "Other.rvq"}; }, true},
        ChainRow{"back_to_itself_through_a_link",
                 [](const TemporaryFolder &f) { return Chain{f / "Morning.rvq"}; }, false},
        ChainRow{"too_deep",
                 [](const TemporaryFolder &f) { return Chain(MaxBatchChain, f / "Other.rvq"); },
                 false}),
    testsupport::RowName());

} // namespace
