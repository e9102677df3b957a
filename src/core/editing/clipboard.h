#pragma once
// The editor's own clipboard: a rectangle of cells copied from a map with the links and events
// that sat on them, pasted into any open map with a clicked cell as its top-left corner.

#include "core/map/edit_form.h"
#include "core/editing/drawing_tools.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zol {

constexpr uint16_t kTransparentCell = 0xFFFF; // a cell copy without background left out

struct ClipArea {
    int width = 0;                 // in cells; 0 while the clipboard is empty
    int height = 0;
    std::vector<uint16_t> cells;   // (i, j) at i * height + j: a cell byte or kTransparentCell
    // The links and events of the copied cells, in the order the copy found them (column by
    // column): offsets from the top-left corner, then what they carry.
    std::array<std::vector<uint8_t>, 5> links;  // dx, dy, target x, target y, target map
    std::array<std::vector<uint8_t>, 3> events; // dx, dy, event number

    bool has_area() const { return width > 0 && height > 0; }
    uint16_t at(int i, int j) const { return cells[std::size_t(i) * std::size_t(height) + std::size_t(j)]; }
    void clear() { *this = ClipArea{}; }
};

enum class CopyMode { Cut, Copy, CopyWithoutBackground };

// Copies the cells of rect (clipped to the map) into area, replacing what it held. Copy without
// background leaves out cells whose number is background, with their links and events. A cut
// then clears the rectangle to cell 0 and removes its links and events. On a memory shortage
// ("ERROR:Area.area = ", "ERROR:_link->next = ", "ERROR:_event->next = ", or the table's own
// captions for a cut's removals) the map is unchanged, the area empty, and false returned.
// *copied receives the rectangle copied.
bool Copy_Area(edit_form& doc, const CellRect& rect, CopyMode mode, int background, ClipArea& area,
               CellRect* copied = nullptr);

struct PasteResult {
    CellRect written;     // the destination cells, clipped to the map
    bool written_any = false;
    bool complete = true; // false when a full event or link table stopped the paste
};

// Writes the area into the map with its top-left corner at (x, y), cell by cell, column by
// column: a transparent entry keeps the cell, its link and its event; any other replaces the
// cell and removes its link and event, then the area's link and event for that cell are set.
// A full link or event table (the tables' messages) stops the paste at that cell.
PasteResult Paste_Area(edit_form& doc, int x, int y, const ClipArea& area);

} // namespace zol
