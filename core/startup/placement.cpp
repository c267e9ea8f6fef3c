#include "core/startup/placement.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

int centredPosition(double screenTwips, double windowTwips) {
    // Halves go to the even neighbour before the halving, which drops its remainder.
    const long long difference = std::llrint(screenTwips - windowTwips);
    return int(difference / 2);
}

std::optional<double> storedCoordinate(const std::string &text) {
    std::string_view number(text);
    const std::size_t first = number.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::nullopt;
    number = number.substr(first, number.find_last_not_of(" \t\r\n") - first + 1);
    // from_chars takes no leading "+", and would read the "-5" of "+-5".
    if (number.front() == '+') {
        number.remove_prefix(1);
        if (number.starts_with('-'))
            return std::nullopt;
    }
    float value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    // Refused rather than wrapped into some arbitrary place on the screen.
    if (std::fabs(value) > float(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return value;
}
