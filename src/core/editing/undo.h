#pragma once
// Recording a map's state before an edit, stepping back to it, and forward again. Each map
// keeps the five newest states in its ring (edit_form::undo); the palette keeps the five newest
// cell pictures that the cell loading window replaced (CellPalette::history). A redo brings back
// the steps undone since the last recording, newest undo first; a recording drops them.

#include "core/render/cell_palette.h"
#include "core/map/edit_form.h"

namespace zol {

// Records the map's whole state as the newest step, overwriting the oldest of five, and drops
// the steps there were to redo. A part that cannot be recorded is reported ("ERROR:Save(1)",
// "ERROR:Save_Link(n)", "ERROE:Save_Event(n)") and leaves that step empty, so an undo stops
// there. False after such a failure.
bool Save_Step(edit_form& doc);
// The three parts of a step, into the slot at the ring's index; each false after a failure.
bool Save(edit_form& doc);
bool Save_Link(edit_form& doc);
bool Save_Event(edit_form& doc);

// Whether the ring's newest slot holds a step.
bool Has_Undo_Step(const edit_form& doc);
// Whether an undo since the last recording can be taken back.
bool Has_Redo_Step(const edit_form& doc);

enum class UndoResult {
    Restored, // the map is as it was before the newest step, which is dropped (for a redo: as it
              // was before the newest undo, whose step is back)
    Nothing,  // no step to go back to (or forward to)
    Failed,   // memory ran out ("ERROR:Undo(1)", "ERROR:Undo_Link(n)", "ERROR:Undo_Event(n)"):
              // the map and the ring are unchanged
};
// Restores the newest step: size, cells, links, events and flag table. The whole restored state
// is made before any of it is installed. The first undo after a recording keeps the map as it
// was for redo; when memory for that runs short, the undo is done all the same, quietly leaving
// nothing to redo.
UndoResult Undo_Map(edit_form& doc);
// Takes back the newest undo: the map is as it was before it, and that step can be undone again.
// Nothing: no undo to take back. Failed: memory ran out ("ERROR:Redo(1)",
// "ERROR:Redo_Link(n)", "ERROR:Redo_Event(n)"), and the map and the ring are unchanged.
UndoResult Redo_Map(edit_form& doc);

// Records the picture of palette cell n before it is replaced; drops the pictures to redo.
void Record_Palette_Cell(CellPalette& palette, int n);
// Puts the newest recorded picture back into its cell, keeping the one it replaces for redo;
// false when there is none.
bool Undo_Palette_Cell(CellPalette& palette);
// Puts back the picture the newest undo replaced; false when no undo is left to take back.
bool Redo_Palette_Cell(CellPalette& palette);

} // namespace zol
