#pragma once
// The cell loading window ("No.n"): a new picture for one palette cell, taken from a bitmap
// file through the bitmap window ("ロードするビットマップ") or drawn in the cell editor, and the
// flag the chosen maps give that cell number. Nothing changes until its OK.

namespace zol {

class Zol;

// Opens the window for palette cell n (closing one that is open, with its bitmap window and cell
// editor).
void Open_Load_Bitmap_Form(Zol& frame, int n);
// Closes the window with its bitmap window and the cell editor; nothing changes.
void Close_Load_Bitmap_Form(Zol& frame);
// Chooses the map of slot in the window's map list, when it is listed, and shows its flag.
void Select_Loader_Map(Zol& frame, int slot);

// The window's buttons and the bitmap window, for the form and its tests.
void Load_Bitmap_File(Zol& frame);
void Pick_Block(Zol& frame, int x, int y);
void Loader_OK(Zol& frame);

} // namespace zol
