#pragma once
// Editing a map with the mouse: what a press, a drag and a release of the current tool do to a
// map, wherever the pointer is (the map window and the whole-map view share them), and the map
// window's own press, move and release with their rubber bands and the event & link dialog.
// Every change is announced; nothing here draws a map.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <cstdint>

namespace zol {

// What a press, the pen's drag and a release of the current tool do to map cell (x, y) of slot
// (which may lie outside the map).
void Press_Tool(Editor& editor, int slot, int x, int y, bool right);
// The pen dragged from cell (x0, y0), already painted, to (x1, y1): every cell of the line
// between them, with the button's cell and flag.
bool Pen_Stroke(Editor& editor, int slot, int x0, int y0, int x1, int y1, bool right);
void Release_Tool(Editor& editor, int slot, int x, int y, bool right);
// Whether the current tool drags a rectangle (with a rubber band).
bool Dragging_Rectangle(Editor& editor);

// The map window's picture of slot: a press (a double click, a modifier key or a second button
// opens the event & link dialog), a move (the pen's stroke, the rubber bands) and a release.
void Map_Press(Editor& editor, int slot, winlib::WPictureBox* picture, const winlib::EventArgs& args, bool right,
               bool double_click);
void Map_Move(Editor& editor, int slot, winlib::WPictureBox* picture, const winlib::EventArgs& args);
void Map_Release(Editor& editor, int slot, winlib::WPictureBox* picture, const winlib::EventArgs& args, bool right);

// The map cell under a point of slot's picture (pixels; may be outside the picture and the map).
void Cell_Under(Editor& editor, int slot, int px, int py, int& x, int& y);

// Shows cell (x, y) of slot's map, with its flag, link and event, on the status line, and keeps
// it shown there while that cell changes.
void Show_Cell_Status(Editor& editor, int slot, int x, int y);
// From now on the status line follows the changes of the cell it shows.
void Follow_Cell_Status(Editor& editor);

} // namespace zol
