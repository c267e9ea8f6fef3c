#include "core/layout/message_box_layout.h"

#include "core/layout/message_box_geometry.h"

#include <algorithm>
#include <utility>

namespace {

std::vector<std::pair<const char *, MessageAnswer>> captions(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return {{"Yes", MessageAnswer::Yes}, {"No", MessageAnswer::No}};
    case MessageButtons::YesNoCancel:
        return {{"Yes", MessageAnswer::Yes},
                {"No", MessageAnswer::No},
                {"Cancel", MessageAnswer::Cancel}};
    case MessageButtons::Ok:
        break;
    }
    return {{"OK", MessageAnswer::Ok}};
}

} // namespace

std::vector<MessageBoxButton> messageBoxButtonLayout(MessageButtons buttons) {
    const auto named = captions(buttons);
    const MessageBoxGeometry::ButtonRow &row = MessageBoxGeometry::ButtonRows[named.size() - 1];
    std::vector<MessageBoxButton> layout;
    for (const auto &[caption, answer] : named)
        layout.push_back({caption, answer, row.lefts[layout.size()], row.width});
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
