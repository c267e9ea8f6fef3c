#pragma once

#include <cstdint>
#include <string_view>

// The whole seconds of a delay field: the number at the start of the text (an optional sign,
// digits and one decimal point, after leading blanks and tabs), 0 when there is none, rounded
// with halves to the even neighbour. Throws ProgramError when it does not fit 32 signed bits.
std::int32_t delayFromText(std::string_view text);
