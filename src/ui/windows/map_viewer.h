#pragma once
// The whole-map view "全体表示": one open map at one pixel per cell in the palette colours,
// with a white outline where its map window looks; the right button moves that window's view,
// the left button edits with the current tool.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QImage>
#include <QPointer>

#include <vector>

namespace zol {

// The whole-map view and its controls; entry_slots[k] is the map of the chooser's entry k.
struct ViewerControls {
    QPointer<FormChild> window;
    winlib::WComboBox* chooser = nullptr;
    winlib::WComboBox* scale_chooser = nullptr; // ×1, ×2, ×4, ×8
    winlib::WPictureBox* picture = nullptr;
    winlib::WStatusBar* status = nullptr;
    QImage image;                 // one pixel per cell
    std::vector<int> entry_slots;
    int anchor_slot = -1;         // the map a left press in the view set the anchors on
    QPoint stroke_last;           // the pen's last cell in a drag
    int scale = 1;                // pixels a cell edge
};
ViewerControls& Viewer_Controls(Editor& editor);

// Command 1018: opens the view when there is none.
void Viewer_Command(Editor& editor);
// Shows each cell as a square of scale pixels (1, 2, 4 or 8), as far as the picture holds.
void Set_Viewer_Scale(Editor& editor, int scale);
// The slot of the map the view shows, or -1.
int Viewer_Slot(Editor& editor);
// Rebuilds the view's list of maps (entry 0 chosen) and redraws it.
void Fill_Map_Chooser(Editor& editor);
// Redraws the whole view for the map it shows.
void Draw_Whole_Map(Editor& editor);
// The cells of rect (which may reach past the map) in slot's map changed.
void Draw_Map_Cells(Editor& editor, const QRect& cells, int slot);
// Moves the outline to what slot's map window shows now.
void Show_View_Rectangle(Editor& editor, int slot);

} // namespace zol
