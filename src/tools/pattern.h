#pragma once
// A pattern of up to 5 x 5 cell numbers that the pattern tools tile over a map from its origin:
// map cell (x, y) takes cell (x mod width, y mod height) of the pattern.

#include <cstdint>
#include <vector>

namespace zol {

struct Pattern {
    int width = 0;               // 0: no pattern
    int height = 0;
    std::vector<uint8_t> cells;  // cell (px, py) at px * height + py

    bool exists() const { return width > 0 && height > 0 && cells.size() == std::size_t(width * height); }
    uint8_t at(int px, int py) const { return cells[std::size_t(px * height + py)]; }
    uint8_t& at(int px, int py) { return cells[std::size_t(px * height + py)]; }
    // The cell the pattern gives map cell (x, y).
    uint8_t tile(int x, int y) const { return at(x % width, y % height); }

    // A 1 x 1 pattern of value: what the flood fill paints with.
    static Pattern Single(uint8_t value) { return Pattern{1, 1, {value}}; }
};

} // namespace zol
