#include "core/document/delay.h"

#include "core/document/program_error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

std::int32_t delayFromText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    const std::size_t start = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    bool point = false;
    bool digits = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9')
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0;
    // from_chars takes no leading "+", and reads in the classic locale whatever the user's is.
    std::string_view number = text.substr(start, pos - start);
    if (number.front() == '+')
        number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    // Out of a double's range is too large unless there is no whole part: then it is a fraction
    // too small for a double, such as 0.(400 zeros)1, and rounds to 0.
    if (error == std::errc::result_out_of_range &&
        number.substr(0, number.find('.')).find_first_not_of("-0") == std::string_view::npos)
        return 0;
    const double rounded = std::nearbyint(value);
    if (error == std::errc::result_out_of_range ||
        !(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw ProgramError::overflow();
    return std::int32_t(rounded);
}
