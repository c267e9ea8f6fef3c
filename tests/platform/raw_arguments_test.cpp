#include "platform/raw_arguments.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(RawArgumentText, rebuildsTheQuotedCommandLineTheAssociationWouldPass) {
    const struct {
        QStringList arguments;
        QString text;
    } cases[] = {
        {{}, u""_s},
        {{u"/o"_s, u"/home/me/Morning.rvq"_s}, u"/o \"/home/me/Morning.rvq\""_s},
        {{u"/e"_s, u"/home/me/My Batches/Work.rvq"_s}, u"/e \"/home/me/My Batches/Work.rvq\""_s},
        {{u"/home/me/Morning.rvq"_s}, u"/home/me/Morning.rvq"_s},
        {{u"/o \"/home/me/Morning.rvq\""_s}, u"/o \"/home/me/Morning.rvq\""_s},
        {{u"/o"_s, u"\"/home/me/Morning.rvq\""_s}, u"/o \"/home/me/Morning.rvq\""_s},
        {{u"/o"_s, u""_s}, u"/o \"\""_s},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(scenario.arguments.join(u'|').toStdString());
        EXPECT_EQ(platform::rawArgumentText(scenario.arguments).toStdString(),
                  scenario.text.toStdString());
    }
}

} // namespace
