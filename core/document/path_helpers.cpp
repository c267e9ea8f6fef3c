#include "core/document/path_helpers.h"

#include "core/document/utf8.h"
#include "platform/path_separator.h"

#include <algorithm>
#include <vector>

namespace {

// The position of the last successful match, shared by every search in the program.
std::int32_t rememberedPosition = 0;

} // namespace

std::int32_t lastPositionOf(std::string_view text, std::string_view wanted, bool continueBackward) {
    const std::int64_t textLength = std::int64_t(utf8::length(text));
    const std::int64_t wantedLength = std::int64_t(utf8::length(wanted));
    std::int64_t start = 0;
    if (!continueBackward) {
        start = textLength - wantedLength + 1;
    } else {
        if (rememberedPosition < 1)
            return 0;
        start = std::int64_t(rememberedPosition) - 1;
    }
    rememberedPosition = 0;
    if (wantedLength > textLength)
        return 0;
    // Where each character begins, so that the search backward does not count from the front;
    // an empty search text matches at the end too, one place after the last character.
    std::vector<std::size_t> offsets;
    for (std::size_t offset = 0; offset < text.size(); ++offset) {
        if ((static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80)
            offsets.push_back(offset);
    }
    offsets.push_back(text.size());
    for (std::int64_t i = std::min(start, textLength + 1); i >= 1; --i) {
        if (text.substr(offsets[std::size_t(i - 1)]).starts_with(wanted)) {
            rememberedPosition = std::int32_t(i);
            return rememberedPosition;
        }
    }
    return 0;
}

std::string batchNameFromPath(std::string_view path) {
    const std::size_t length = utf8::length(path);
    if (length < 4 || !utf8::characters(path, length - 4).starts_with('.'))
        return {};
    const std::int32_t separator =
        lastPositionOf(path, std::string_view(&platform::PathSeparator, 1), false);
    if (separator == 0)
        return {};
    const std::string_view tail = utf8::characters(path, std::size_t(separator));
    const std::size_t tailLength = utf8::length(tail);
    if (tailLength < 4)
        return {};
    return std::string(utf8::characters(tail, 0, tailLength - 4));
}
