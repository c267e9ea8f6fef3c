#include "qt/msgbox/message_box.h"
#include "qt/msgbox/message_box_geometry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct LayoutCase {
    QString buttons;
    std::vector<MessageBoxButton> expected;
};

const LayoutCase layoutCases[] = {
    {u"OK"_s, {{u"OK"_s, 1320, 1695}}},
    {u"Yes/No"_s, {{u"Yes"_s, 120, 1935}, {u"No"_s, 2280, 1935}}},
    {u"Yes/No/Cancel"_s, {{u"Yes"_s, 120, 1215}, {u"No"_s, 1560, 1215}, {u"Cancel"_s, 3000, 1215}}},
    {u"A/B/C/D"_s, {{u"A"_s, 120, 1215}, {u"B"_s, 1560, 1215}, {u"C/D"_s, 3000, 1215}}},
    {u"A//B"_s, {{u"A"_s, 120, 1215}, {QString(), 1560, 1215}, {u"B"_s, 3000, 1215}}},
    {u"A/"_s, {{u"A"_s, 120, 1935}, {QString(), 2280, 1935}}},
    {u"A/B/"_s, {{u"A"_s, 120, 1215}, {u"B"_s, 1560, 1215}, {QString(), 3000, 1215}}},
    {u"A///"_s, {{u"A"_s, 120, 1215}, {QString(), 1560, 1215}, {u"/"_s, 3000, 1215}}},
    {u"/X"_s, {{u"/X"_s, 1320, 1695}}},
    {u"/A/B"_s, {{u"/A/B"_s, 1320, 1695}}},
    {u"//"_s, {{u"//"_s, 1320, 1695}}},
    {QString(), {{QString(), 1320, 1695}}},
};

} // namespace

TEST(MbButtonLayout, captionsAndPlacesFollowTheSeparatorCount) {
    for (const LayoutCase &c : layoutCases) {
        SCOPED_TRACE(c.buttons.toStdString());
        const std::vector<MessageBoxButton> actual = messageBoxButtonLayout(c.buttons);
        ASSERT_EQ(actual.size(), c.expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(actual[i].caption.toStdString(), c.expected[i].caption.toStdString());
            EXPECT_EQ(actual[i].left, c.expected[i].left);
            EXPECT_EQ(actual[i].width, c.expected[i].width);
        }
    }
}

TEST(MessageBoxGeometry, centredPositionCentresOnTheGivenScreen) {
    struct Case {
        QRect screen;
        QSize outer;
        QPoint expected;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, {304, 128}, {808, 476}},
        {{1920, 0, 1280, 1024}, {310, 160}, {1920 + 485, 432}},
        {{0, -600, 800, 600}, {305, 129}, {247, -600 + 235}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.screen.x());
        EXPECT_EQ(MessageBoxGeometry::centredPosition(c.screen, c.outer), c.expected);
    }
}

TEST(MessageBoxHeights, growDownToFitThePromptWithinTheScreensRoom) {
    struct Case {
        int promptNeeds, tallest;
        MessageBoxHeights expected; // box, upper panel, prompt area, lower panel's top
    };
    const Case cases[] = {
        {20, 1000, {128, 73, 49, 72}},    // fits: as designed
        {49, 1000, {128, 73, 49, 72}},    // just fits
        {80, 1000, {159, 104, 80, 103}},  // grows by what the prompt lacks
        {900, 300, {300, 245, 221, 244}}, // no taller than the screen's room
        {900, 100, {128, 73, 49, 72}},    // a tiny screen never shrinks it
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.promptNeeds) + " in " + std::to_string(c.tallest));
        const MessageBoxHeights actual = messageBoxHeights(c.promptNeeds, c.tallest);
        EXPECT_EQ(actual.box, c.expected.box);
        EXPECT_EQ(actual.upperPanel, c.expected.upperPanel);
        EXPECT_EQ(actual.promptArea, c.expected.promptArea);
        EXPECT_EQ(actual.lowerPanelTop, c.expected.lowerPanelTop);
    }
}
