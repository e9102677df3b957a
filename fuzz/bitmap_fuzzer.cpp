// The palette and cell loading bitmaps: read as a palette is (cut into 64 cells) and as the cell
// loading window reads one (converted once, a block picked at a corner the input chooses).

#include "core/render/cell_palette_images.h"
#include "fuzz_support.h"
#include "core/editing/cell_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // Every file a map or the loading window names is read through the same reader, with the
    // program's own limit on a picture's size.
    const QString path = zol::fuzz::Write_Input(QStringLiteral("b.bmp"), zol::fuzz::Bytes(data, size));
    const QImage image = zol::Read_Bitmap(path);
    if (image.isNull()) return 0;
    const zol::CellImages cells = zol::Cut_Cells(image);
    const QImage cell = zol::To_Cell_Format(image);
    const QPoint corner = zol::Block_Corner(QPoint(size % 977, size % 613), cell.size());
    QImage block = zol::Copy_Block(cell, corner);
    zol::Pixel_Fill(block, int(size % 32), int(size / 32 % 32), qRgb(1, 2, 3));
    return cells[0].isNull() ? 1 : 0;
}
