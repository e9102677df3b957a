#pragma once
// The one cell palette all open maps are painted with: its 64 cell images, its file, the cells
// chosen for the left and right buttons, and whether it has unsaved changes.

#include "display/cell_palette_images.h"

#include <QString>

#include <cstdint>

namespace zol {

struct CellPalette {
    bool exists = false;     // a palette is loaded (its window is shown)
    CellImages cells;
    QString path;            // full path, or a bare name for a new palette
    uint8_t l_cell = 0;      // drawn by the left button
    uint8_t r_cell = 1;      // drawn by the right button
    uint8_t saved = 1;       // 1: no unsaved change
    bool written = false;    // the cells came from or went to the palette's file
    int version = 0;         // bumped whenever a cell image changes, so caches can tell
};

// True when two palette paths name the same file: both made absolute (Absolute_Path), then
// compared with letters A-Z folded to lower case, as the file system the maps come from does.
bool Same_Palette_Path(const QString& a, const QString& b);

} // namespace zol
