#include "core/document/path_helpers.h"

#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(batchNameFromPath, givesTheNameWithoutFolderAndThreeLetterExtension) {
    const struct {
        QString path;
        QString name;
    } cases[] = {
        {u"/home/me/Desktop/Morning.rvq"_s, u"Morning"_s},
        {u"/Morning.rvq"_s, u"Morning"_s},
        {u"Morning.rvq"_s, u""_s},           // no folder
        {u"/batches/Morning"_s, u""_s},      // no extension
        {u"/batches/Morning.data"_s, u""_s}, // not three letters
        {u"/batches/Morning.bak.rvq"_s, u"Morning.bak"_s},
        {u"/batches/.rvq"_s, u""_s}, // tail is the extension alone
        {u"/a./bc"_s, u""_s},        // the dot lies before the last separator
        {u""_s, u""_s},
        {u"C:\\Batches\\Morning.rvq"_s, u""_s}, // backslashes separate nothing here
        {u"/x/a b, c.rvq"_s, u"a b, c"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(batchNameFromPath(c.path), c.name);
    }
}

TEST(lastPositionOf, walksBackwardsThroughMatchesAndRemembersThePosition) {
    EXPECT_EQ(lastPositionOf(u"C:\\a\\b.rvq"_s, u"\\"_s, false), 5);
    EXPECT_EQ(lastPositionOf(u"C:\\a\\b.rvq"_s, u"\\"_s, true), 3);
    EXPECT_EQ(lastPositionOf(u"C:\\a\\b.rvq"_s, u"\\"_s, true), 0);
    EXPECT_EQ(lastPositionOf(u"C:\\a\\b.rvq"_s, u"\\"_s, true), 0);
}

TEST(lastPositionOf, handlesLongAndEmptySearchTexts) {
    EXPECT_EQ(lastPositionOf(u"ab"_s, u"abc"_s, false), 0);
    EXPECT_EQ(lastPositionOf(u"abc"_s, u""_s, false), 4);
    EXPECT_EQ(lastPositionOf(u"abcabc"_s, u"bc"_s, false), 5);
    EXPECT_EQ(lastPositionOf(u""_s, u"/"_s, false), 0);
    // A failed search forgets the previous match.
    EXPECT_EQ(lastPositionOf(u"a/b"_s, u"/"_s, false), 2);
    EXPECT_EQ(lastPositionOf(u"ab"_s, u"/"_s, false), 0);
    EXPECT_EQ(lastPositionOf(u"a/b"_s, u"/"_s, true), 0);
}
