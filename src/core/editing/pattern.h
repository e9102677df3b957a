#pragma once
// A pattern of up to 5 x 5 cell numbers that the pattern tools tile over a map from its origin:
// map cell (x, y) takes cell (x mod width, y mod height) of the pattern. The program has one,
// shared by every map; there is none at start-up.

#include <cstdint>
#include <vector>

namespace zol {

struct Pattern {
    static constexpr int kMaxSide = 5;

    int width = 0;               // 0: no pattern
    int height = 0;
    std::vector<uint8_t> cells;  // cell (px, py) at px * height + py, column by column

    bool exists() const { return width > 0 && height > 0 && cells.size() == std::size_t(width * height); }
    uint8_t at(int px, int py) const { return cells[std::size_t(px * height + py)]; }
    uint8_t& at(int px, int py) { return cells[std::size_t(px * height + py)]; }
    // The cell the pattern gives map cell (x, y).
    uint8_t tile(int x, int y) const { return at(x % width, y % height); }

    // A 1 x 1 pattern of value: what the flood fill paints with.
    static Pattern Single(uint8_t value) { return Pattern{1, 1, {value}}; }
};

// Replaces pattern by a new one of width x height cells (1..5 each), every cell 0. On a memory
// shortage ("ERROR:Pattern(1)" for the column table, "ERROR:Pattern(2)" for a column, reported
// through Show_Message) the pattern is left 0 x 0 and the result is false.
bool Make_Pattern(Pattern& pattern, int width, int height);
// Releases the pattern's cells: no pattern (0 x 0).
void Discard_Pattern(Pattern& pattern);

} // namespace zol
