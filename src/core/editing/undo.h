#pragma once
// Recording a map's state before an edit, and stepping back to it. Each map keeps the five
// newest states in its ring (edit_form::undo); the palette keeps the five newest cell pictures
// that the cell loading window replaced (CellPalette::history).

#include "core/render/cell_palette.h"
#include "core/map/edit_form.h"

namespace zol {

// Records the map's whole state as the newest step, overwriting the oldest of five. A part that
// cannot be recorded is reported ("ERROR:Save(1)", "ERROR:Save_Link(n)", "ERROE:Save_Event(n)")
// and leaves that step empty, so an undo stops there. False after such a failure.
bool Save_Step(edit_form& doc);
// The three parts of a step, into the slot at the ring's index; each false after a failure.
bool Save(edit_form& doc);
bool Save_Link(edit_form& doc);
bool Save_Event(edit_form& doc);

// Whether the ring's newest slot holds a step.
bool Has_Undo_Step(const edit_form& doc);

enum class UndoResult {
    Restored, // the map is as it was before the newest step, which is dropped
    Nothing,  // no step to go back to
    Failed,   // memory ran out ("ERROR:Undo(1)", "ERROR:Undo_Link(n)", "ERROR:Undo_Event(n)"):
              // the map and the ring are unchanged
};
// Restores the newest step: size, cells, links, events and flag table. The whole restored state
// is made before any of it is installed.
UndoResult Undo_Map(edit_form& doc);

// Records the picture of palette cell n before it is replaced.
void Record_Palette_Cell(CellPalette& palette, int n);
// Puts the newest recorded picture back into its cell and drops it; false when there is none.
bool Undo_Palette_Cell(CellPalette& palette);

} // namespace zol
