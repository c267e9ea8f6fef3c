#include "core/document/path_helpers.h"

#include "tests/support/named_rows.h"
#include "tests/support/separators.h"

#include <gtest/gtest.h>

namespace {

struct NameRow {
    const char *name;
    std::string path;
    std::string batchName;
};

class BatchNameFromPath : public testing::TestWithParam<NameRow> {};

TEST_P(BatchNameFromPath, isTheFileNameWithoutFolderAndThreeCharacterExtension) {
    EXPECT_EQ(batchNameFromPath(testsupport::withSystemSeparators(GetParam().path)),
              GetParam().batchName);
}

// Lengths and positions count characters, not bytes: a name in any script is cut at the same
// places as one in plain letters.
INSTANTIATE_TEST_SUITE_P(
    Table, BatchNameFromPath,
    testing::Values(NameRow{"in_a_folder", "/home/me/Desktop/Morning.rvq", "Morning"},
                    NameRow{"at_the_root", "/Morning.rvq", "Morning"},
                    NameRow{"no_folder", "Morning.rvq", ""},
                    NameRow{"no_extension", "/batches/Morning", ""},
                    NameRow{"four_letter_extension", "/batches/Morning.data", ""},
                    NameRow{"dot_inside_the_name", "/batches/Morning.bak.rvq", "Morning.bak"},
                    NameRow{"extension_alone", "/batches/.rvq", ""},
                    NameRow{"dot_before_the_last_separator", "/a./bc", ""},
                    NameRow{"empty", "", ""},
                    NameRow{"the_other_slash_separates_nothing", "C:\\Batches\\Morning.rvq", ""},
                    NameRow{"blanks_and_a_comma", "/x/a b, c.rvq", "a b, c"},
                    NameRow{"greek", "/home/Δοκιμή/Πρωί.rvq", "Πρωί"},
                    NameRow{"cjk_extension", "/x/Morning.日本語", "Morning"},
                    NameRow{"cjk_after_a_dotted_folder", "/x./日本", ""},
                    NameRow{"emoji", "/x/🌅 sunrise.rvq", "🌅 sunrise"},
                    NameRow{"emoji_extension", "/x/a.🌅🌅🌅", "a"}),
    testsupport::RowName());

struct SearchRow {
    const char *name;
    std::string text;
    std::string wanted;
    std::int32_t position;
};

class LastPositionOf : public testing::TestWithParam<SearchRow> {};

TEST_P(LastPositionOf, countsTheLastMatchInCharactersFromOne) {
    EXPECT_EQ(lastPositionOf(GetParam().text, GetParam().wanted, false), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Table, LastPositionOf,
                         testing::Values(SearchRow{"last_of_several", "C:\\a\\b.rvq", "\\", 5},
                                         SearchRow{"wanted_longer_than_text", "ab", "abc", 0},
                                         SearchRow{"nothing_wanted", "abc", "", 4},
                                         SearchRow{"nothing_in_nothing", "", "", 1},
                                         SearchRow{"repeated_text", "abcabc", "bc", 5},
                                         SearchRow{"empty_text", "", "/", 0},
                                         SearchRow{"greek", "Ωμέγα/Δ", "/", 6},
                                         SearchRow{"cjk", "日本語/日本語", "日本", 5},
                                         SearchRow{"emoji", "😀/😀", "😀", 3}),
                         testsupport::RowName());

TEST(LastPositionOfContinued, walksBackwardsThroughTheMatches) {
    EXPECT_EQ(lastPositionOf("C:\\a\\b.rvq", "\\", false), 5);
    EXPECT_EQ(lastPositionOf("C:\\a\\b.rvq", "\\", true), 3);
    EXPECT_EQ(lastPositionOf("C:\\a\\b.rvq", "\\", true), 0);
    EXPECT_EQ(lastPositionOf("C:\\a\\b.rvq", "\\", true), 0);
    EXPECT_EQ(lastPositionOf("😀/😀/x", "/", false), 4);
    EXPECT_EQ(lastPositionOf("😀/😀/x", "/", true), 2);
}

TEST(LastPositionOfContinued, aFailedSearchForgetsThePreviousMatch) {
    EXPECT_EQ(lastPositionOf("a/b", "/", false), 2);
    EXPECT_EQ(lastPositionOf("ab", "/", false), 0);
    EXPECT_EQ(lastPositionOf("a/b", "/", true), 0);
}

} // namespace
