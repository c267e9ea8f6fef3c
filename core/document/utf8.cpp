#include "core/document/utf8.h"

namespace utf8 {

namespace {

// A byte that begins a character, rather than continuing one.
bool begins(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// The byte offset of character index in text, or the text's size when it has fewer.
std::size_t offsetOf(std::string_view text, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t seen = 0; offset < text.size(); ++offset) {
        if (begins(text[offset]) && seen++ == index)
            return offset;
    }
    return text.size();
}

} // namespace

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text)
        count += begins(byte) ? 1 : 0;
    return count;
}

std::string_view characters(std::string_view text, std::size_t first, std::size_t count) {
    const std::size_t start = offsetOf(text, first);
    if (count == std::string_view::npos)
        return text.substr(start);
    const std::size_t end = start + offsetOf(text.substr(start), count);
    return text.substr(start, end - start);
}

std::string_view withoutLastCharacter(std::string_view text) {
    if (text.empty())
        return text;
    std::size_t end = text.size() - 1;
    while (end > 0 && !begins(text[end]))
        --end;
    return text.substr(0, end);
}

} // namespace utf8
