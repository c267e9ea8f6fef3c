#include "core/layout/message_box_layout.h"
#include "qt/screen_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct LayoutCase {
    MessageButtons buttons;
    std::vector<MessageBoxButton> expected;
};

const LayoutCase layoutCases[] = {
    {MessageButtons::Ok, {{"OK", MessageAnswer::Ok, 1320, 1695}}},
    {MessageButtons::YesNo,
     {{"Yes", MessageAnswer::Yes, 120, 1935}, {"No", MessageAnswer::No, 2280, 1935}}},
    {MessageButtons::YesNoCancel,
     {{"Yes", MessageAnswer::Yes, 120, 1215},
      {"No", MessageAnswer::No, 1560, 1215},
      {"Cancel", MessageAnswer::Cancel, 3000, 1215}}},
};

} // namespace

TEST(MbButtonLayout, captionsAnswersAndPlacesFollowTheButtonSet) {
    for (const LayoutCase &c : layoutCases) {
        SCOPED_TRACE(int(c.buttons));
        const std::vector<MessageBoxButton> actual = messageBoxButtonLayout(c.buttons);
        ASSERT_EQ(actual.size(), c.expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(actual[i].caption, c.expected[i].caption);
            EXPECT_EQ(actual[i].answer, c.expected[i].answer);
            EXPECT_EQ(actual[i].left, c.expected[i].left);
            EXPECT_EQ(actual[i].width, c.expected[i].width);
        }
    }
}

TEST(ScreenGeometry, centredOnCentresOnTheGivenScreen) {
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
        EXPECT_EQ(centredOn(c.screen, c.outer), c.expected);
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
