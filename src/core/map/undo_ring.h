#pragma once
// What a map keeps to step back: the five newest whole states (size, cells, flag table, links,
// events) in a ring. The routines that record and restore them are in editing/undo.h.

#include "core/map/grid.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zol {

struct UndoSlot {
    bool recorded = false;              // false: the slot is empty
    Grid grid;                          // kept after an undo, for the next recording to reuse
    uint8_t max_x = 0;
    uint8_t max_y = 0;
    std::array<uint8_t, 64> flags{};
    // Parallel columns as in the map's own tables; kept after an undo for the next recording.
    std::array<std::vector<uint8_t>, 5> links; // target map, target x, target y, x, y
    std::array<std::vector<uint8_t>, 3> events; // number, x, y
};

struct UndoRing {
    static constexpr int kSteps = 5;
    std::array<UndoSlot, kSteps> steps;
    int index = 0; // the slot holding the newest step

    void clear() { *this = UndoRing{}; }
};

} // namespace zol
