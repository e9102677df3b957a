#pragma once
// The cell palette window and the palette file commands.

#include "core/render/cell_palette_images.h"

#include <QString>

namespace zol {

class Zol;

// Makes cells and path the palette and builds its window (replacing any palette). written: the
// cells are what the file at path holds (false for a palette made in memory).
void Open_Cell_Palette(Zol& frame, const CellImages& cells, const QString& path, bool written);
// Destroys the palette window; returns whether there was one.
bool Close_Cell_Palette(Zol& frame);
void Refresh_Cell_Palette(Zol& frame);
// Replaces the palette by the bitmap at path; false (palette unchanged) when it cannot be read
// or the user cancels the question about the unsaved palette.
bool Load_Cell_Palette(Zol& frame, const QString& path);
void New_Cell_Palette(Zol& frame);
void Open_Cell_Palette_Command(Zol& frame);
bool Save_Cell_Palette(Zol& frame);
bool Save_Cell_Palette_As(Zol& frame);
// Before a palette with unsaved changes is replaced: asks whether to save it. False when the
// replacement must stop (Cancel, or the save did not happen).
bool Settle_Unsaved_Palette(Zol& frame);

void Cell_Press(Zol& frame, bool right, int x, int y);
void Cell_Release(Zol& frame, bool right, int x, int y);
// Moves cell a to b's place and b to a's, renumbering every open map so it looks the same.
void Swap_Cells(Zol& frame, int a, int b, bool right);

} // namespace zol
