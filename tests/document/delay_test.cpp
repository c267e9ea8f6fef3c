#include "core/document/delay.h"
#include "core/document/program_error.h"

#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(Delay, takesTheNumberAtTheStartRoundedHalvesToEven) {
    const struct {
        QString text;
        qint32 seconds;
    } cases[] = {
        {u"0"_s, 0},
        {u"5"_s, 5},
        {u"2.5"_s, 2},
        {u"3.5"_s, 4},
        {u"-1"_s, -1},
        {u"-2.5"_s, -2},
        {u"+7"_s, 7},
        {u"  12"_s, 12},
        {u"\t3 s"_s, 3},
        {u"10seconds"_s, 10},
        {u"soon"_s, 0},
        {u""_s, 0},
        {u"-"_s, 0},
        {u"."_s, 0},
        {u".5"_s, 0},
        {u"1.5.3"_s, 2},
        {u"0.51"_s, 1},
        {u"2147483647"_s, 2147483647},
        {u"-2147483648"_s, -2147483647 - 1},
        {u"1e3"_s, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(delayFromText(c.text), c.seconds);
    }
}

TEST(Delay, aNumberBeyond32BitsOverflows) {
    for (const QString &text : {u"2147483648"_s, u"-2147483649"_s, u"99999999999999999999999"_s}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_THROW(delayFromText(text), ProgramError);
    }
}
