#include "platform/raw_arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RawArgumentText, rebuildsTheQuotedCommandLineTheAssociationWouldPass) {
    const struct {
        std::vector<std::string> arguments; // after the program's own path
        std::string text;
    } cases[] = {
        {{}, ""},
        {{"/o", "/home/me/Morning.rvq"}, "/o \"/home/me/Morning.rvq\""},
        {{"/e", "/home/me/My Batches/Work.rvq"}, "/e \"/home/me/My Batches/Work.rvq\""},
        {{"/home/me/Morning.rvq"}, "/home/me/Morning.rvq"},
        {{"/o \"/home/me/Morning.rvq\""}, "/o \"/home/me/Morning.rvq\""},
        {{"/o", "\"/home/me/Morning.rvq\""}, "/o \"/home/me/Morning.rvq\""},
        {{"/o", ""}, "/o \"\""},
        {{"/o", "/home/me/Caf\xe9.rvq"}, "/o \"/home/me/Caf\xe9.rvq\""},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(testing::PrintToString(scenario.arguments));
        std::vector<char *> argv{const_cast<char *>("runvoy")};
        for (const std::string &argument : scenario.arguments)
            argv.push_back(const_cast<char *>(argument.c_str()));
        EXPECT_EQ(platform::rawArgumentText(int(argv.size()), argv.data()), scenario.text);
    }
}

} // namespace
