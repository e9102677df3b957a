#pragma once
// The per-map tables of events and links: at most one of each per cell, kept in the order they
// were added, at most 255 of each. A change builds the new columns first and installs them
// only when every allocation succeeded, so a failure leaves the old table as it was.

#include "core/map/edit_form.h"

namespace zol {

enum class TableChange {
    Done,     // set, replaced, deleted, or nothing to delete
    Limit,    // already 255 entries: refused with the limit message
    NoMemory, // refused with a tagged memory message
    Outside,  // a position or number outside 0..255: refused with a message naming it
};

// Positions, event numbers and link targets are kept as bytes; one outside 0..255 is refused
// (Outside) rather than wrapped onto another cell, and the table is left as it was.

// Sets the event of cell (x, y) to number: replaces an existing one, else appends.
TableChange Set_Event(edit_form& doc, int x, int y, int number);
// Sets the link of cell (x, y) to (target_map, target_x, target_y), replacing or appending.
TableChange Set_Link(edit_form& doc, int x, int y, int target_x, int target_y, int target_map);
// Removes the event of cell (x, y), keeping the order of the others.
TableChange Delete_Event(edit_form& doc, int x, int y);
TableChange Delete_Link(edit_form& doc, int x, int y);

// Index of the event or link of cell (x, y), or -1.
int Find_Event(const edit_form& doc, int x, int y);
int Find_Link(const edit_form& doc, int x, int y);

} // namespace zol
