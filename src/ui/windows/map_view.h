#pragma once
// Drawing maps into their windows: full and partial redraws from the off-screen image, the
// layout of picture and scroll bars, the one-cell scroll steps and the status line.

#include "core/render/map_renderer.h"
#include "core/editing/drawing_tools.h"

#include <QString>

namespace zol {

class Zol;

void Redraw_Map(Zol& frame, int slot);
// Redraws every slot that has a window.
void Redraw_All_Maps(Zol& frame);
// Redraws the map cells of a rectangle of (x2 - x1 + 1) x (y2 - y1 + 1) cells whose top-left
// map cell is (map_x, map_y).
void Redraw_Region(Zol& frame, int x1, int y1, int x2, int y2, int map_x, int map_y, int slot);
// Draws map cell (x, y) into the map window's picture (the pen's redraw).
void Draw_Window_Cell(Zol& frame, int slot, int x, int y);
// Redraws the cells of rect (clipped to the map) in the map window.
void Redraw_Cells(Zol& frame, int slot, const CellRect& rect);
// Shows the picture again as drawn, which removes a rubber band.
void Show_Map_Picture(Zol& frame, int slot);
void Layout_Map_View(Zol& frame, int slot);
void Show_Cell_Status(Zol& frame, int slot, int x, int y);
// The scroll bars' handler: every change of position shows the picture there. A one-cell change
// shifts the picture and draws the new row or column; any other change, the thumb's tracking
// and the end of scrolling (code 8) redraw it.
void Scroll_Map(Zol& frame, int slot, bool vertical, int code, int position);
// The cell images at the displayed size, brought up to the palette.
const CellCache& Update_Cell_Cache(Zol& frame);

} // namespace zol
