#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The core keeps text in UTF-8; the rules count its positions and lengths in characters.
namespace utf8 {

// The number of characters in text.
std::size_t length(std::string_view text);

// The bytes of the characters from position first (0-based, in characters), count of them at
// most; all that is left when count is npos.
std::string_view characters(std::string_view text, std::size_t first,
                            std::size_t count = std::string_view::npos);

// Text without its last character.
std::string_view withoutLastCharacter(std::string_view text);

} // namespace utf8
