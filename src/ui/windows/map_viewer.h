#pragma once
// The whole-map view "全体表示": one open map at one pixel per cell in the palette colours,
// with a white outline where its map window looks; the right button moves that window's view,
// the left button edits with the current tool.

#include "core/editing/drawing_tools.h"

namespace zol {

class Zol;

// Command 1018: opens the view when there is none.
void Viewer_Command(Zol& frame);
// The slot of the map the view shows, or -1.
int Viewer_Slot(Zol& frame);
// Rebuilds the view's list of maps (entry 0 chosen) and redraws it.
void Fill_Map_Chooser(Zol& frame);
// Redraws the whole view for the map it shows.
void Draw_Whole_Map(Zol& frame);
// One cell of slot's map changed.
void Draw_Map_Cell(Zol& frame, int x, int y, int slot);
// The cells of rect in slot's map changed.
void Draw_Map_Cells(Zol& frame, const CellRect& rect, int slot);
// Moves the outline to what slot's map window shows now.
void Show_View_Rectangle(Zol& frame, int slot);

} // namespace zol
