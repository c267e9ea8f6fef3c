#include "qt/msgbox/message_box.h"
#include "qt/msgbox/message_box_geometry.h"

#include <algorithm>

namespace {

// 1-based position of the first "/" at or after the 1-based position from; 0 when there is none.
qsizetype separatorAt(const QString &text, qsizetype from) {
    return text.indexOf(u'/', from - 1) + 1;
}

// A leading "/" ends the count at once, so such a text stays one caption; separators beyond the
// second still make only three buttons, the last caption keeping the rest of the text.
int separatorCount(const QString &buttons) {
    int count = 0;
    for (qsizetype p = separatorAt(buttons, 1); p > 1; p = separatorAt(buttons, p + 1))
        ++count;
    return std::min(count, 2);
}

std::vector<QString> captions(const QString &buttons, int separators) {
    if (separators == 0)
        return {buttons};
    const qsizetype s1 = buttons.indexOf(u'/');
    if (separators == 1)
        return {buttons.left(s1), buttons.mid(s1 + 1)};
    const qsizetype s2 = buttons.indexOf(u'/', s1 + 1);
    return {buttons.left(s1), buttons.mid(s1 + 1, s2 - s1 - 1), buttons.mid(s2 + 1)};
}

} // namespace

std::vector<MessageBoxButton> messageBoxButtonLayout(const QString &buttons) {
    const int separators = separatorCount(buttons);
    const MessageBoxGeometry::ButtonRow &row = MessageBoxGeometry::ButtonRows[separators];
    std::vector<MessageBoxButton> layout;
    for (QString &caption : captions(buttons, separators))
        layout.push_back({std::move(caption), row.lefts[layout.size()], row.width});
    return layout;
}

MessageBoxHeights messageBoxHeights(int promptNeeds, int tallest) {
    const MessageBoxHeights designed{twipsToPixels(MessageBoxGeometry::InnerHeight),
                                     twipsToPixels(MessageBoxGeometry::UpperPanel.height),
                                     twipsToPixels(MessageBoxGeometry::PromptArea.height),
                                     twipsToPixels(MessageBoxGeometry::LowerPanel.top)};
    const int growth =
        std::max(0, std::min(promptNeeds - designed.promptArea, tallest - designed.box));
    return {designed.box + growth, designed.upperPanel + growth, designed.promptArea + growth,
            designed.lowerPanelTop + growth};
}
