#pragma once
// What a map keeps to step back: the five newest whole states (size, cells, flag table, links,
// events) in a ring, and what it needs to step forward again over the steps undone since the
// last recording. The routines that record and restore them are in editing/undo.h.

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
    // Redo. An undone slot keeps its state, which is what the map looked like after the step
    // before it: so after k undos the slots index + 2 ... index + k hold the states a redo
    // brings back, and the newest of them, the map as the first of those undos found it, is
    // kept here. Never more than kSteps steps, since each one was an undone slot of the ring.
    UndoSlot latest;
    int redo = 0; // steps that can be brought back; a recording sets it to 0

    void clear() { *this = UndoRing{}; }
};

} // namespace zol
