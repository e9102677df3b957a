#pragma once
// Drawing a map's cells into an image at a displayed cell size (32, 24, 16 or 8 pixels). One
// renderer serves the map windows, their scroll steps and zol-tool's export.

#include "core/render/cell_palette_images.h"
#include "core/render/view_buffer.h"
#include "core/map/edit_form.h"

#include <QImage>
#include <QString>

#include <array>
#include <vector>

namespace zol {

// The 64 cell images scaled once to one displayed size, kept as pixel rows ready to copy.
// Rebuild it when the palette's cells or the size change (each() compares both cheaply).
class CellCache {
public:
    // Makes the cache for cells at size s (pixels per cell edge).
    void Build(const CellImages& cells, int s);
    int size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // ARGB32 pixels of cell n's row r (s pixels).
    const uint32_t* row(int n, int r) const { return pixels_.data() + (std::size_t(n) * size_ + r) * size_; }

private:
    int size_ = 0;
    std::vector<uint32_t> pixels_; // 64 cells x s rows x s pixels
};

// Draws the map cells of the window-cell rectangle (i0, j0) .. (i0 + columns - 1, j0 + rows - 1)
// of target, window cell (i, j) showing map cell (scroll_x + i, scroll_y + j). Window cells that
// fall outside the image or the map are skipped. target must be Format_RGB32 or ARGB32.
void Render_Cells(QImage& target, const edit_form& doc, const CellCache& cache, int scroll_x,
                  int scroll_y, int i0, int j0, int columns, int rows);

// Redraws the whole of target from doc's scroll position.
void Render_View(QImage& target, const edit_form& doc, const CellCache& cache);

// Moves the picture by one cell (dx, dy each -1, 0 or 1: the direction the view's scroll
// position moved) and draws only the newly exposed row or column. doc's scroll position must
// already be the new one. The pixels stay where they are; only the view over them moves.
void Scroll_View(ViewBuffer& view, const edit_form& doc, const CellCache& cache, int dx, int dy);

// The whole map as one image at size s.
QImage Render_Map_Image(const edit_form& doc, const CellCache& cache);

// The status line for cell (x, y): "(%ld,%ld) Palette=%ld Flag=%ld", then " Link=%ld (%ld,%ld)"
// per link and " Event= %ld" per event on that cell, in table order.
QString Cell_Status_Text(const edit_form& doc, int x, int y);

} // namespace zol
