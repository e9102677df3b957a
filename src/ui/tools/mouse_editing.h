#pragma once
// Editing a map with the mouse on its picture: the press, move and release handlers that turn
// the current tool into drawing, undo recording and the event & link dialog.

#include <cstdint>

namespace zol {

class Zol;
namespace winlib {
class WPictureBox;
}

// Binds the press, move and release handlers to a map window's picture.
void Bind_Map_Mouse(Zol& frame, winlib::WPictureBox* picture);

// Whether one of the dialogs that suspend mouse editing is open.
bool Editing_Suspended(Zol& frame);

// Records the map's state as an undo step and enables the undo command.
void Record_Step(Zol& frame, int slot);

// The seed of a fill's generator: milliseconds since the program started.
uint32_t Fill_Seed(Zol& frame);

// What a press, the pen's drag and a release of the current tool do to map cell (x, y) of slot
// (which may lie outside the map), wherever the pointer is: the map window and the whole-map
// view share them.
void Press_Tool(Zol& frame, int slot, int x, int y, bool right);
bool Pen_Stroke(Zol& frame, int slot, int x, int y, bool right);
void Release_Tool(Zol& frame, int slot, int x, int y, bool right);
// Whether the current tool drags a rectangle (with a rubber band).
bool Dragging_Rectangle(Zol& frame);

// The map cell under a point of slot's picture (pixels; may be outside the picture and the map).
void Cell_Under(Zol& frame, int slot, int px, int py, int& x, int& y);

} // namespace zol
