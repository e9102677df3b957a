#pragma once
// The one cell palette all open maps are painted with: its 64 cell images, its file, the cells
// chosen for the left and right buttons, and whether it has unsaved changes.

#include "core/render/cell_palette_images.h"

#include <QString>

#include <array>
#include <cstdint>

namespace zol {

// The five newest cell pictures replaced by the cell loading window, for undo. An undo swaps
// the entry's picture with the cell's, so the entries after position (redo of them) hold the
// pictures a redo puts back; a new recording empties them.
struct PaletteHistory {
    static constexpr int kSteps = 5;
    std::array<QImage, kSteps> cells;
    std::array<uint8_t, kSteps> numbers{64, 64, 64, 64, 64}; // the cell each came from; 64: empty
    int position = 0;                                         // the newest entry
    int redo = 0;                                             // undone entries after position

    // Nothing to undo: the newest entry is empty, or every entry has been undone.
    bool Newest_Empty() const { return redo >= kSteps || numbers[std::size_t(position)] >= 64; }
};

struct CellPalette {
    bool exists = false;     // a palette is loaded (its window is shown)
    CellImages cells;
    QString path;            // full path, or a bare name for a new palette
    uint8_t l_cell = 0;      // drawn by the left button
    uint8_t r_cell = 1;      // drawn by the right button
    uint8_t saved = 1;       // 1: no unsaved change
    bool written = false;    // the cells came from or went to the palette's file
    int version = 0;         // bumped whenever a cell image changes, so caches can tell
    PaletteHistory history;  // emptied when a palette is created or opened
};

// True when two palette paths name the same file: both made absolute (Absolute_Path), then
// compared with letters A-Z folded to lower case, as the file system the maps come from does.
bool Same_Palette_Path(const QString& a, const QString& b);

} // namespace zol
