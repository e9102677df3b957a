#pragma once
// The cell editor ("セルの編集"): the cell loading window's working picture drawn pixel by pixel
// on a ten-times surface, with a pen, a fill, a grid of 16 colours and a colour picker on the
// right button. OK hands the picture back to the cell loading window.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QImage>

#include <array>

namespace zol {

// The cell editor: the working picture ten times larger, a colour grid and a pen.
struct CellEditorControls {
    winlib::SingleWindow<winlib::WDialog> window;
    QImage cell;                  // the picture being drawn, 32 x 32: the master copy
    QImage view;                  // cell magnified, what the surface shows
    std::array<QRgb, 16> colours{};
    int selected = 0;             // the grid's chosen colour
    QRgb colour = 0;              // what the pen and the fill paint with
    bool fill_mode = false;       // false: pen
    QPoint last_pixel;            // the pen's last pixel in a drag
    winlib::WPictureBox* surface = nullptr;
    winlib::WPictureBox* grid = nullptr;
    winlib::WPictureBox* colour_box = nullptr;
    winlib::WButton* tool = nullptr;
};
CellEditorControls& Cell_Editor(Editor& editor);

// Opens the editor on the cell loading window's working picture (closing an open editor).
void Open_Cell_Editer(Editor& editor);
// Closes the editor; the working picture is unchanged.
void Close_Cell_Editer(Editor& editor);

// The editor's handlers, for the form and its tests: presses and moves on the surface (pixels of
// the 320 x 320 surface), a press and a double click on the colour grid, the tool button and OK.
void Editor_Surface_Press(Editor& editor, int x, int y, bool right);
void Editor_Surface_Move(Editor& editor, int x, int y);
void Editor_Grid_Press(Editor& editor, int x, int y);
void Editor_Grid_Double(Editor& editor);
void Editor_Tool_Button(Editor& editor);
void Editor_OK(Editor& editor);

} // namespace zol
