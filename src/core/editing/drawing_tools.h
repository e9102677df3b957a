#pragma once
// What the drawing tools write into a map's grid: the rectangle fill, the rectangle edges, the
// pattern rectangle and the flood fill (Paint). Positions may lie outside the map (a drag's
// anchor belongs to whichever map was pressed); only cells inside it are ever read or written.

#include "core/editing/pattern.h"
#include "core/map/edit_form.h"

#include <QPoint>

#include <cstdint>
#include <vector>

namespace zol {

// The fill-rate setting: with the switch on, each cell a fill visits is written with
// probability rate / 100; with it off every visited cell is written.
struct FillRate {
    bool on = true;
    int rate = 100; // 1..100
};

// The fills' generator: state = state * 1103515245 + 12345 (mod 2^32), result (state >> 16) & 32767.
// Each fill makes one from its seed (the editor gives the milliseconds since start-up) and draws
// once per visited cell, in visiting order, while the switch is on.
class FillRandom {
public:
    FillRandom(const FillRate& rate, uint32_t seed) : rate_(rate), state_(seed) {}
    // Whether the next visited cell is written.
    bool Write() { return !rate_.on || Next() % 100 < rate_.rate; }
    // The generator's next number, 0..32767.
    int Next()
    {
        state_ = state_ * 1103515245u + 12345u;
        return int((state_ >> 16) & 32767u);
    }

private:
    FillRate rate_;
    uint32_t state_;
};

// An inclusive rectangle of cells, corners in any order.
struct CellRect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    static CellRect Between(int ax, int ay, int bx, int by)
    {
        return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
    }
};

// The cells of the straight line from (x0, y0) to (x1, y1), both ends included, in order from
// the start: one cell per step along the longer axis (Bresenham), so a fast stroke leaves no gap.
std::vector<QPoint> Line_Cells(int x0, int y0, int x1, int y1);

// Writes value into the cells of rect, column by column, subject to the fill rate.
void Rectangle_Fill(edit_form& doc, const CellRect& rect, uint8_t value, const FillRate& rate,
                    uint32_t seed);
// Writes value into the border cells of rect (a one-wide rectangle is a line).
void Rectangle_Edges(edit_form& doc, const CellRect& rect, uint8_t value);
// Rectangle_Fill with the pattern's cell for each map cell instead of one value.
void Pattern_Rectangle(edit_form& doc, const CellRect& rect, const Pattern& pattern,
                       const FillRate& rate, uint32_t seed);

// The flood fill from (x, y): the 4-connected region of cells whose byte equals the seed cell's
// (flag bits included) is painted with the pattern tiled from the map's origin, subject to the
// fill rate. Painted cells count as part of the region, so filling with the region's own value
// ends. False after a memory shortage, reported as "ERROR:Paint(1)" to "ERROR:Paint(3)", before
// anything was written.
bool Paint(edit_form& doc, int x, int y, const Pattern& pattern, const FillRate& rate, uint32_t seed);

// The pattern with each cell number p made a drawing value: p plus 64 times the map's flag for p.
Pattern Drawing_Pattern(const edit_form& doc, const Pattern& pattern);

} // namespace zol
