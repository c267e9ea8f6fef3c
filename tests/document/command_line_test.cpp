#include "core/document/command_line.h"
#include "core/document/placement.h"
#include "core/document/program_error.h"

#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CommandLine, readsTheSwitchAndThePathAtTheirFixedPlaces) {
    const struct {
        QString raw;
        Command::Kind kind;
        QString path;
    } cases[] = {
        {u"/o \"/home/me/Morning.rvq\""_s, Command::Run, u"/home/me/Morning.rvq"_s},
        {u"/e \"/home/me/Morning.rvq\""_s, Command::Edit, u"/home/me/Morning.rvq"_s},
        {u" \t  /o \"/x.rvq\""_s, Command::Run, u"/x.rvq"_s},
        {u"/O \"/x.rvq\""_s, Command::Editor, u""_s},
        {u"/E \"/x.rvq\""_s, Command::Editor, u""_s},
        {u""_s, Command::Editor, u""_s},
        {u"Morning.rvq"_s, Command::Editor, u""_s},
        // Without quotes the path loses its first and last characters.
        {u"/o /home/x.rvq"_s, Command::Run, u"home/x.rv"_s},
        // A blank after the closing quote leaves the quote in the path.
        {u"/o \"/x.rvq\" "_s, Command::Run, u"/x.rvq\""_s},
        {u"/o \"x"_s, Command::Run, u""_s},
        {u"/o \"x\"  \t"_s, Command::Run, u"x\"  "_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.raw.toStdString());
        const Command command = parseCommand(stripLeadingBlanks(c.raw));
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(command.path, c.path);
    }
}

TEST(CommandLine, aSwitchWithoutRoomForAPathIsAnError) {
    for (const QString &raw : {u"/o"_s, u"/e \""_s, u"/o \"\""_s.left(4)}) {
        SCOPED_TRACE(raw.toStdString());
        EXPECT_THROW(parseCommand(raw), ProgramError);
    }
}

TEST(CommandLine, stripsOnlyLeadingBlanksAndTabs) {
    EXPECT_EQ(stripLeadingBlanks(u" \t x \t"_s), u"x \t"_s);
    EXPECT_EQ(stripLeadingBlanks(u"  \t"_s), u""_s);
    EXPECT_EQ(stripLeadingBlanks(u"\n/o"_s), u"\n/o"_s);
}

TEST(Placement, centresWithHalvesToEvenThenDropsTheRemainder) {
    const struct {
        double screen;
        double window;
        int position;
    } cases[] = {
        {9600, 9000, 300},                    // 600 twips narrower
        {9601, 9000, 300},                    // 601 narrower
        {9000, 9601, -300},                   // 601 wider: toward zero
        {9000, 9000, 0},    {1000.5, 0, 500}, // 1000.5 rounds to 1000
        {1001.5, 0, 501},                     // 1001.5 rounds to 1002
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.screen - c.window);
        EXPECT_EQ(centredPosition(c.screen, c.window), c.position);
    }
}

TEST(Placement, storedCoordinatesMustBeNumbers) {
    EXPECT_EQ(storedCoordinate(u"1200"_s), 1200.0);
    EXPECT_EQ(storedCoordinate(u" -45 "_s), -45.0);
    EXPECT_EQ(storedCoordinate(u"99999"_s), 99999.0);
    EXPECT_FLOAT_EQ(float(storedCoordinate(u"12.5"_s)), 12.5f);
    for (const QString &text :
         {u""_s, u"top"_s, u"12px"_s, u"nan"_s, u"inf"_s, u"1e30"_s, u"-3e9"_s}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_THROW(storedCoordinate(text), ProgramError);
    }
}
