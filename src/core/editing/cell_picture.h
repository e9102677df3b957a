#pragma once
// Working on the picture of one palette cell (32 x 32 pixels, 32-bit RGB like the palette's
// cells): the cell editor's ten-times view of it and its pixel fill, and the block of a loaded
// bitmap that the cell loading window takes a picture from.

#include "core/render/cell_palette_images.h"

#include <QImage>
#include <QPoint>

namespace zol {

// Each cell pixel is a square of this many screen pixels in the cell editor.
constexpr int kMagnify = 10;
constexpr int kMagnifiedSize = kCellSize * kMagnify; // 320

// A copy of image in the cells' 32-bit RGB format, converted once so that every later copy is
// pixel for pixel whatever the file's depth (1 to 32 bits, with or without a colour table).
QImage To_Cell_Format(const QImage& image);

// Draws cell (32 x 32) ten times larger into view (320 x 320), reusing view's memory when it
// already has that size.
void Magnify_Cell(const QImage& cell, QImage& view);
// The square of view for cell pixel (i, j), filled with colour.
void Paint_Square(QImage& view, int i, int j, QRgb colour);
// One pixel per 10 x 10 square of a magnified view: the cell it shows.
QImage Reduce_View(const QImage& view);

// The largest picture the pixel fill works on (a cell is 32 x 32).
constexpr int kMaxFillWidth = 64;
constexpr int kMaxFillHeight = 256;

// The 4-connected fill from pixel (x, y): every pixel reachable from it through pixels of
// exactly its RGB colour takes colour. A memory shortage is reported ("ERROR:Paint(1)" and
// "(2)" the seed queue, "(3)" and "(4)" the visited marks) before any pixel changes, and the
// result is false. A larger picture is left as it is.
bool Pixel_Fill(QImage& cell, int x, int y, QRgb colour);

// The top-left corner of the cell-sized block centred on pointer in an image of size, kept
// inside the image; an image smaller than a cell puts the corner at 0 on that axis.
QPoint Block_Corner(QPoint pointer, QSize size);
// The cell-sized block of image at corner; the part outside the image is white.
QImage Copy_Block(const QImage& image, QPoint corner);

} // namespace zol
