#pragma once
// The map windows: one a slot, each a picture with scroll bars. Building and closing them, and
// drawing maps into them (full and partial redraws from the off-screen image, the layout of
// picture and scroll bars, the one-cell scroll steps). Each window follows the announced
// changes of its own map.

#include "core/render/map_renderer.h"
#include "core/render/view_buffer.h"
#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

namespace zol {

// The controls of one map window (the window itself is the slot's edit_form::window).
struct MapControls {
    winlib::WPictureBox* picture = nullptr;
    winlib::WScrollBar* vertical = nullptr;
    winlib::WScrollBar* horizontal = nullptr;
    ViewBuffer offscreen;        // what the map picture shows
};
MapControls& Map_Controls(Editor& editor, int slot);

// Builds slot's map window (false, after a message, when there is no palette to draw with).
bool addChild(Editor& editor, int slot);
// Closes the map window of slot without asking; its destroy handler frees the slot.
void Close_Map(Editor& editor, int slot);

void Redraw_Map(Editor& editor, int slot);
// Redraws every slot that has a window.
void Redraw_All_Maps(Editor& editor);
// Redraws the map cells of a rectangle of (x2 - x1 + 1) x (y2 - y1 + 1) cells whose top-left
// map cell is (map_x, map_y).
void Redraw_Region(Editor& editor, int x1, int y1, int x2, int y2, int map_x, int map_y, int slot);
// Redraws the cells of rect (clipped to the map) in the map window.
void Redraw_Cells(Editor& editor, int slot, const QRect& cells);
void Layout_Map_View(Editor& editor, int slot);
// The caption: the map's name, size, links and the window's size in cells.
void Show_Map_Caption(Editor& editor, int slot);
// Lays the window out again at the displayed cell size: the picture at the size the user last
// gave it, in whole cells of the new size, the top-left visible cell kept.
void Zoom_Map_View(Editor& editor, int slot);
// The picture size the user last gave slot's window (invalid until set), which zooms keep.
QSize& Chosen_Picture_Size(Editor& editor, int slot);
// Moves slot's new window to its place in the cascade of map windows.
void Place_New_Map_Window(Editor& editor, int slot);
// The scroll bars' handler: every change of position shows the picture there. A one-cell change
// shifts the picture and draws the new row or column; any other change, the thumb's tracking
// and the end of scrolling (code 8) redraw it.
void Scroll_Map(Editor& editor, int slot, bool vertical, int code, int position);
// Fills a chooser with the file names of the open maps and map_slots with their slots, in the same
// order, and chooses the first (none when no map is open).
void Fill_Open_Maps_Chooser(Editor& editor, QComboBox* chooser, std::vector<int>& map_slots);
// The cell images at the displayed size, brought up to the palette.
const CellCache& Update_Cell_Cache(Editor& editor);

} // namespace zol
