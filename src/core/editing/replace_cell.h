#pragma once
// What the cell loading window's OK does to the model: the palette cell takes its new picture
// (the old one going into the palette's undo history) and the chosen maps give the cell number
// its new flag.

#include "core/render/cell_palette.h"
#include "core/map/edit_form.h"

#include <vector>

namespace zol {

// Records cell n's picture for undo, replaces it by picture and makes n the left button's cell;
// the palette counts as unsaved.
void Replace_Cell_Picture(CellPalette& palette, int n, const QImage& picture);

// Gives cell number n the flag f (0..3) in doc: its flag table entry becomes f, and every cell
// of number n that carried the entry's old flag (the entry's low two bits) now carries f; cells
// of number n with another flag keep it. A map whose entry changed counts as modified.
// Returns whether the entry changed.
bool Set_Cell_Flag(edit_form& doc, int n, int f);

} // namespace zol
