#include "core/editing/replace_cell.h"

#include "core/editing/undo.h"

namespace zol {

void Replace_Cell_Picture(CellPalette& palette, int n, const QImage& picture)
{
    n &= 0x3f;
    Record_Palette_Cell(palette, n);
    palette.cells[std::size_t(n)] = picture.copy();
    ++palette.version;
    palette.l_cell = uint8_t(n);
    palette.saved = 0;
}

bool Set_Cell_Flag(edit_form& doc, int n, int f)
{
    n &= 0x3f;
    f &= 3;
    if (doc.flags.size() != std::size_t(kCellCount)) doc.flags.assign(kCellCount, 0);
    const uint8_t entry = doc.flags[std::size_t(n)];
    const uint8_t from = uint8_t(((entry & 3) << 6) | n);
    const uint8_t to = uint8_t((f << 6) | n);
    doc.flags[std::size_t(n)] = uint8_t(f);
    if (from != to && doc.has_grid()) {
        uint8_t* cell = doc.grid.data();
        for (std::size_t i = 0, size = doc.grid.size(); i < size; ++i)
            if (cell[i] == from) cell[i] = to;
    }
    const bool changed = entry != f;
    if (changed) doc.saved = 0;
    return changed;
}

} // namespace zol
