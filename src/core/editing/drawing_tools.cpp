#include "core/editing/drawing_tools.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <algorithm>
#include <cstring>

namespace zol {

std::vector<QPoint> Line_Cells(int x0, int y0, int x1, int y1)
{
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    std::vector<QPoint> cells;
    cells.reserve(std::size_t(std::max(dx, -dy)) + 1);
    int error = dx + dy;
    for (int x = x0, y = y0;;) {
        cells.emplace_back(x, y);
        if (x == x1 && y == y1) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    return cells;
}

namespace {

// rect cut to the map; false when nothing of it lies inside.
bool Clip(const edit_form& doc, const CellRect& rect, CellRect& inside)
{
    inside = {std::max(rect.x1, 0), std::max(rect.y1, 0), std::min(rect.x2, doc.width() - 1),
              std::min(rect.y2, doc.height() - 1)};
    return doc.has_grid() && inside.x1 <= inside.x2 && inside.y1 <= inside.y2;
}

// The pattern repeated down a whole map column, one strip per pattern column, so that a run of
// a column is copied rather than worked out cell by cell.
class TiledColumns {
public:
    TiledColumns(const Pattern& pattern, int height)
        : width_(pattern.width), height_(height), strips_(std::size_t(pattern.width) * std::size_t(height))
    {
        for (int px = 0; px < pattern.width; ++px) {
            uint8_t* strip = strips_.data() + std::size_t(px * height);
            for (int y = 0; y < height; ++y) strip[y] = y < pattern.height ? pattern.at(px, y) : strip[y - pattern.height];
        }
    }
    // The pattern's cells for map column x, indexed by map row.
    const uint8_t* Column(int x) const { return strips_.data() + std::size_t(x % width_) * std::size_t(height_); }

private:
    int width_;
    int height_;
    std::vector<uint8_t> strips_;
};

bool Writes_Every_Cell(const FillRate& rate) { return !rate.on || rate.rate >= 100; }

} // namespace

void Rectangle_Fill(edit_form& doc, const CellRect& rect, uint8_t value, const FillRate& rate,
                    uint32_t seed)
{
    CellRect inside;
    if (!Clip(doc, rect, inside)) return;
    FillRandom random(rate, seed);
    const bool always = Writes_Every_Cell(rate);
    for (int x = inside.x1; x <= inside.x2; ++x) {
        uint8_t* column = doc.grid.column(x);
        if (always) {
            std::memset(column + inside.y1, value, std::size_t(inside.y2 - inside.y1 + 1));
            continue;
        }
        for (int y = inside.y1; y <= inside.y2; ++y)
            if (random.Write()) column[y] = value;
    }
}

void Pattern_Rectangle(edit_form& doc, const CellRect& rect, const Pattern& pattern,
                       const FillRate& rate, uint32_t seed)
{
    CellRect inside;
    if (!pattern.exists() || !Clip(doc, rect, inside)) return;
    const TiledColumns tiled(pattern, doc.height());
    FillRandom random(rate, seed);
    const bool always = Writes_Every_Cell(rate);
    if (always && inside.y1 == 0 && inside.y2 == doc.height() - 1) {
        // Whole columns lie end to end in the grid, so the rectangle repeats every pattern
        // width of columns: one period is written, then copied in doubling pieces.
        const std::size_t height = std::size_t(doc.height());
        uint8_t* start = doc.grid.column(inside.x1);
        const std::size_t total = std::size_t(inside.x2 - inside.x1 + 1) * height;
        const std::size_t period = std::min(total, std::size_t(pattern.width) * height);
        for (std::size_t done = 0, x = std::size_t(inside.x1); done < period; done += height, ++x)
            std::memcpy(start + done, tiled.Column(int(x)), height);
        for (std::size_t done = period; done < total;) {
            const std::size_t piece = std::min(done - done % period, total - done);
            std::memcpy(start + done, start, piece);
            done += piece;
        }
        return;
    }
    for (int x = inside.x1; x <= inside.x2; ++x) {
        uint8_t* column = doc.grid.column(x);
        const uint8_t* from = tiled.Column(x);
        if (always) {
            std::memcpy(column + inside.y1, from + inside.y1, std::size_t(inside.y2 - inside.y1 + 1));
            continue;
        }
        for (int y = inside.y1; y <= inside.y2; ++y)
            if (random.Write()) column[y] = from[y];
    }
}

void Rectangle_Edges(edit_form& doc, const CellRect& rect, uint8_t value)
{
    auto put = [&doc, value](int x, int y) {
        if (doc.has_grid() && doc.contains(x, y)) doc.cell(x, y) = value;
    };
    for (int x = rect.x1; x < rect.x2; ++x) {
        put(x, rect.y1);
        put(x, rect.y2);
    }
    for (int y = rect.y1; y < rect.y2; ++y) {
        put(rect.x1, y);
        put(rect.x2, y);
    }
    put(rect.x2, rect.y2);
}

Pattern Drawing_Pattern(const edit_form& doc, const Pattern& pattern)
{
    Pattern drawn = pattern;
    for (uint8_t& cell : drawn.cells) cell = doc.drawing_value(cell & 0x3f);
    return drawn;
}

namespace {

// The fill's working state, for runs along rows (kColumns false: the order that decides which
// cells a fill rate below 100 writes) or along columns (kColumns true: the grid's own layout,
// so runs are contiguous; used when every visited cell is written, where the order changes
// nothing). In the names below a "line" is a row or a column and a run lies along a line.
//
// Marks, one byte per cell, stored line by line: kFresh for a cell with the seed's byte that is
// not yet visited, kVisited for a visited cell (painted, or passed over by the fill rate),
// kOutside for every other cell. An unvisited cell still holds its original byte, so the marks
// answer every question the fill asks of the grid. The queue of seeds starts with room for one
// per row and grows, first in first out, when more are pending.
template <bool kColumns>
class Painter {
public:
    Painter(edit_form& doc, const Pattern& pattern, const FillRate& rate, uint32_t seed)
        : tiled_(pattern, doc.height()), single_(pattern.width == 1 && pattern.height == 1),
          value_(pattern.cells[0]), random_(rate, seed), always_(Writes_Every_Cell(rate)),
          length_(kColumns ? doc.height() : doc.width()),
          lines_(kColumns ? doc.width() : doc.height()), height_(doc.height()), grid_(doc.grid)
    {
    }

    bool Allocate_Work()
    {
        // One queue of (position, line) pairs; its room for one seed per row stands for the
        // two byte columns of a seed queue.
        if (!Allocation_Permitted()) return Fail("ERROR:Paint(1)");
        if (!Allocate(queue_, std::size_t(grid_.height()))) return Fail("ERROR:Paint(2)");
        if (!Allocate(marks_, grid_.size(), kOutside)) return Fail("ERROR:Paint(3)");
        queue_.clear(); // keeps the room made
        return true;
    }

    bool Run(int x, int y)
    {
        const uint8_t target = grid_(x, y);
        const uint8_t* cells = grid_.data();
        if constexpr (kColumns) {
            for (std::size_t i = 0; i < grid_.size(); ++i) marks_[i] = cells[i] == target ? kFresh : kOutside;
        } else {
            for (int cx = 0; cx < grid_.width(); ++cx, cells += height_) {
                uint8_t* mark = marks_.data() + cx;
                for (int cy = 0; cy < height_; ++cy, mark += length_)
                    if (cells[cy] == target) *mark = kFresh;
            }
        }
        if (!Push(kColumns ? y : x, kColumns ? x : y)) return false;
        for (std::size_t read = 0; read < queue_.size(); ++read) {
            const int at = queue_[read] & 0xff;
            const int line = queue_[read] >> 8;
            const uint8_t* marks = Line(line);
            if (marks[at] == kVisited) continue;
            const int end = Run_End(marks, at + 1, length_ - 1) - 1;
            const int start = Run_Start(marks, at);
            Paint_Run(start, end, line);
            if (line > 0 && !Scan(start, end, line - 1)) return false;
            if (line < lines_ - 1 && !Scan(start, end, line + 1)) return false;
        }
        return true;
    }

private:
    static constexpr uint8_t kOutside = 0, kFresh = 1, kVisited = 2;
    // Runs of a few cells are walked; longer ones searched with the C library's byte search.
    static constexpr int kShortRun = 16;

    uint8_t* Line(int line) { return marks_.data() + std::size_t(line) * std::size_t(length_); }

    bool Fail(const char* caption)
    {
        Show_Message(nullptr, QString::fromLatin1(caption), No_Memory_Text(), MB_OK, MB_ICON_STOP);
        return false;
    }

    bool Push(int at, int line)
    {
        try {
            queue_.push_back(uint16_t(at | (line << 8)));
        } catch (const std::bad_alloc&) {
            return Fail("ERROR:Paint(1)");
        }
        return true;
    }

    // Where a run through [from, ...] ends: the first cell from `from` up to `last` that is
    // outside the region, or last + 1.
    static int Run_End(const uint8_t* marks, int from, int last)
    {
        const int walk_end = std::min(last + 1, from + kShortRun);
        for (; from < walk_end; ++from)
            if (marks[from] == kOutside) return from;
        if (from > last) return from;
        const void* found = std::memchr(marks + from, kOutside, std::size_t(last - from + 1));
        return found ? int(static_cast<const uint8_t*>(found) - marks) : last + 1;
    }
    // Where the run through cell at begins.
    static int Run_Start(const uint8_t* marks, int at)
    {
        const int walk_end = std::max(0, at - kShortRun);
        for (; at > walk_end; --at)
            if (marks[at - 1] == kOutside) return at;
        if (at == 0) return 0;
        const void* found = memrchr(marks, kOutside, std::size_t(at));
        return found ? int(static_cast<const uint8_t*>(found) - marks) + 1 : 0;
    }
    // The first fresh cell in [from, last), or last.
    static int Next_Fresh(const uint8_t* marks, int from, int last)
    {
        const int walk_end = std::min(last, from + kShortRun);
        for (; from < walk_end; ++from)
            if (marks[from] == kFresh) return from;
        if (from >= last) return last;
        const void* found = std::memchr(marks + from, kFresh, std::size_t(last - from));
        return found ? int(static_cast<const uint8_t*>(found) - marks) : last;
    }

    void Paint_Run(int start, int end, int line)
    {
        const int length = end - start + 1;
        uint8_t* marks = Line(line) + start;
        if (length <= kShortRun) std::fill_n(marks, length, kVisited);
        else std::memset(marks, kVisited, std::size_t(length));

        // Cell (start, line) of the grid and the step to the next cell of the run.
        const std::ptrdiff_t step = kColumns ? 1 : height_;
        uint8_t* cell = kColumns ? grid_.column(line) + start : grid_.column(start) + line;
        if constexpr (kColumns) {
            // Every cell is written (see Paint): the run is the pattern's strip for this column.
            if (single_) std::memset(cell, value_, std::size_t(length));
            else std::memcpy(cell, tiled_.Column(line) + start, std::size_t(length));
            return;
        }
        for (int x = start; x <= end; ++x, cell += step)
            if (always_ || random_.Write()) *cell = single_ ? value_ : tiled_.Column(x)[line];
    }

    // Each run of fillable cells in the line within [start, end] gives one seed: its last
    // cell. A run reaching end that is only visited cells gives one too; it is skipped later.
    bool Scan(int start, int end, int line)
    {
        const uint8_t* marks = Line(line);
        int i = start;
        for (;;) {
            i = Next_Fresh(marks, i, end);
            if (marks[i] == kOutside) return true;
            i = Run_End(marks, i, end);
            if (!Push(i - 1, line)) return false;
            if (i > end) return true;
        }
    }

    const TiledColumns tiled_;
    const bool single_;    // a 1 x 1 pattern of value_
    const uint8_t value_;
    FillRandom random_;
    const bool always_;
    const int length_; // cells in a line
    const int lines_;
    const int height_;
    Grid& grid_;
    std::vector<uint16_t> queue_; // position in the low byte, line in the high one
    std::vector<uint8_t> marks_;
};

template <bool kColumns>
bool Run_Painter(edit_form& doc, int x, int y, const Pattern& pattern, const FillRate& rate, uint32_t seed)
{
    Painter<kColumns> painter(doc, pattern, rate, seed);
    return painter.Allocate_Work() && painter.Run(x, y);
}

} // namespace

bool Paint(edit_form& doc, int x, int y, const Pattern& pattern, const FillRate& rate, uint32_t seed)
{
    if (!doc.has_grid() || !doc.contains(x, y) || !pattern.exists()) return true;
    // When every visited cell is written the order of visits cannot show, and runs along the
    // grid's columns are the quickest; otherwise the fill rate's draws follow the rows.
    if (!rate.on || rate.rate >= 100) return Run_Painter<true>(doc, x, y, pattern, rate, seed);
    return Run_Painter<false>(doc, x, y, pattern, rate, seed);
}

} // namespace zol
