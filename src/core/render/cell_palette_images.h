#pragma once
// The cell palette's pictures: a 128 x 512 bitmap cut into 64 cells of 32 x 32 pixels, 4 across
// and 16 down, and composed back. Cell n lies at ((n % 4) * 32, (n / 4) * 32).

#include <QImage>
#include <QRect>
#include <QString>

#include <array>

namespace zol {

constexpr int kCellSize = 32;
constexpr int kPaletteColumns = 4;
constexpr int kPaletteRows = 16;
constexpr int kPaletteWidth = kPaletteColumns * kCellSize;  // 128
constexpr int kPaletteHeight = kPaletteRows * kCellSize;    // 512

using CellImages = std::array<QImage, 64>;

// The rectangle of cell n in the palette image.
QRect Cell_Rect(int n);
// The cell under a point of the palette image, or -1 outside the 128 x 512 image.
int Cell_At(int x, int y);

// The blank cell: 32 x 32 pixels of pure green.
QImage Blank_Cell();
// 64 blank cells.
CellImages Blank_Cells();

// Cuts a source image into the 64 cells, pixel for pixel; parts outside the source are white,
// a larger source contributes only its top-left 128 x 512 pixels (and only they are converted).
CellImages Cut_Cells(const QImage& source);
// The 128 x 512 palette image of the cells on white.
QImage Compose_Palette(const CellImages& cells);
// A white bitmap of 128 x 512 pixels (the stand-in when a map's tileset cannot be read).
QImage White_Palette();

// Draws the one-pixel outline of cell n's square in colour onto image.
void Outline_Cell(QImage& image, int n, QColor colour);

// The widest and tallest bitmap read. A palette is 128 x 512 and the cell loading window scrolls
// over the rest; a larger picture would only cost memory (four bytes a pixel once converted,
// whatever its depth in the file, where a one-bit header of a few bytes may claim millions).
constexpr int kMaxBitmapSide = 4096;

// Reads any bitmap file Qt can read, up to kMaxBitmapSide pixels a side (a larger header is
// refused before the picture is allocated). A null image when it cannot, and why, when given,
// says why in a few words.
QImage Read_Bitmap(const QString& path, QString* why = nullptr);
// Writes the composed palette as a standard Windows bitmap, atomically. False on failure.
bool Write_Palette_Bitmap(const QString& path, const CellImages& cells);

} // namespace zol
