#pragma once

#include <optional>

// The row that the selected row swaps with when moved up (direction 0) or down (1), or none
// when no row is selected or the row is already at that edge.
inline std::optional<int> movePartner(int selectedRow, int direction, int rowCount) {
    if (selectedRow < 0)
        return std::nullopt;
    const int partner = direction == 0 ? selectedRow - 1 : selectedRow + 1;
    if (partner < 0 || partner >= rowCount)
        return std::nullopt;
    return partner;
}
