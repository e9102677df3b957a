#pragma once
// The cell editor ("セルの編集"): the cell loading window's working picture drawn pixel by pixel
// on a ten-times surface, with a pen, a fill, a grid of 16 colours and a colour picker on the
// right button. OK hands the picture back to the cell loading window.

namespace zol {

class Zol;

// Opens the editor on the cell loading window's working picture (closing an open editor).
void Open_Cell_Editer(Zol& frame);
// Closes the editor; the working picture is unchanged.
void Close_Cell_Editer(Zol& frame);

// The editor's handlers, for the form and its tests: presses and moves on the surface (pixels of
// the 320 x 320 surface), a press and a double click on the colour grid, the tool button and OK.
void Editor_Surface_Press(Zol& frame, int x, int y, bool right);
void Editor_Surface_Move(Zol& frame, int x, int y);
void Editor_Grid_Press(Zol& frame, int x, int y);
void Editor_Grid_Double(Zol& frame);
void Editor_Tool_Button(Zol& frame);
void Editor_OK(Zol& frame);

} // namespace zol
