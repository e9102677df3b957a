#include "editing/drawing_tools.h"

#include "documents/allocation.h"
#include "shell/show_message.h"

#include <algorithm>

namespace zol {

namespace {

// rect cut to the map; false when nothing of it lies inside.
bool Clip(const edit_form& doc, const CellRect& rect, CellRect& inside)
{
    inside = {std::max(rect.x1, 0), std::max(rect.y1, 0), std::min(rect.x2, doc.width() - 1),
              std::min(rect.y2, doc.height() - 1)};
    return doc.has_grid() && inside.x1 <= inside.x2 && inside.y1 <= inside.y2;
}

template <class Value>
void Fill_Rect(edit_form& doc, const CellRect& rect, const FillRate& rate, uint32_t seed, Value value)
{
    CellRect inside;
    if (!Clip(doc, rect, inside)) return;
    FillRandom random(rate, seed);
    for (int x = inside.x1; x <= inside.x2; ++x) {
        uint8_t* column = doc.grid.column(x);
        for (int y = inside.y1; y <= inside.y2; ++y)
            if (random.Write()) column[y] = value(x, y);
    }
}

} // namespace

void Rectangle_Fill(edit_form& doc, const CellRect& rect, uint8_t value, const FillRate& rate,
                    uint32_t seed)
{
    Fill_Rect(doc, rect, rate, seed, [value](int, int) { return value; });
}

void Pattern_Rectangle(edit_form& doc, const CellRect& rect, const Pattern& pattern,
                       const FillRate& rate, uint32_t seed)
{
    if (!pattern.exists()) return;
    Fill_Rect(doc, rect, rate, seed, [&pattern](int x, int y) { return pattern.tile(x, y); });
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

// The fill's working state: the grid, the visited marks and the queue of seeds, first in first
// out. The queue starts with room for one seed per row and grows when more are pending.
class Painter {
public:
    Painter(edit_form& doc, const Pattern& pattern, const FillRate& rate, uint32_t seed)
        : pattern_(pattern), random_(rate, seed), w_(doc.width()), h_(doc.height()),
          cells_(doc.grid.data())
    {
    }

    bool Allocate_Work()
    {
        if (!Allocate(queue_x_, std::size_t(h_))) return Fail("ERROR:Paint(1)");
        if (!Allocate(queue_y_, std::size_t(h_))) return Fail("ERROR:Paint(2)");
        if (!Allocate(visited_, std::size_t(w_) * std::size_t(h_), uint8_t(0)))
            return Fail("ERROR:Paint(3)");
        queue_x_.clear(); // keeps the room made
        queue_y_.clear();
        return true;
    }

    bool Run(int x, int y)
    {
        target_ = cell(x, y);
        if (!Push(x, y)) return false;
        for (std::size_t read = 0; read < queue_x_.size(); ++read) {
            const int sx = queue_x_[read], sy = queue_y_[read];
            if (visited(sx, sy)) continue;
            int right = sx, left = sx;
            while (right < w_ - 1 && In_Region(right + 1, sy)) ++right;
            while (left > 0 && In_Region(left - 1, sy)) --left;
            Paint_Run(left, right, sy);
            if (sy > 0 && !Scan(left, right, sy - 1)) return false;
            if (sy < h_ - 1 && !Scan(left, right, sy + 1)) return false;
        }
        return true;
    }

private:
    std::size_t At(int x, int y) const { return std::size_t(x) * std::size_t(h_) + std::size_t(y); }
    uint8_t cell(int x, int y) const { return cells_[At(x, y)]; }
    bool visited(int x, int y) const { return visited_[At(x, y)] != 0; }
    bool In_Region(int x, int y) const { return cell(x, y) == target_ || visited(x, y); }
    bool Fresh(int x, int y) const { return cell(x, y) == target_ && !visited(x, y); }

    bool Fail(const char* caption)
    {
        Show_Message(nullptr, QString::fromLatin1(caption), kNoMemoryText, MB_OK, MB_ICON_STOP);
        return false;
    }

    bool Push(int x, int y)
    {
        try {
            queue_x_.push_back(uint8_t(x));
            queue_y_.push_back(uint8_t(y));
        } catch (const std::bad_alloc&) {
            return Fail("ERROR:Paint(1)");
        }
        return true;
    }

    void Paint_Run(int left, int right, int y)
    {
        int px = left % pattern_.width;
        const int py = y % pattern_.height;
        for (int x = left; x <= right; ++x) {
            if (random_.Write()) cells_[At(x, y)] = pattern_.at(px, py);
            visited_[At(x, y)] = 1;
            if (++px == pattern_.width) px = 0;
        }
    }

    // Each run of fillable cells in row y within [left, right] gives one seed: its rightmost
    // cell. A run reaching right that is only visited cells gives one too; it is skipped later.
    bool Scan(int left, int right, int y)
    {
        int i = left;
        for (;;) {
            while (i < right && !Fresh(i, y)) ++i;
            if (!In_Region(i, y)) return true;
            while (i <= right && In_Region(i, y)) ++i;
            if (!Push(i - 1, y)) return false;
            if (i > right) return true;
        }
    }

    const Pattern& pattern_;
    FillRandom random_;
    const int w_, h_;
    uint8_t* cells_;
    uint8_t target_ = 0;
    std::vector<uint8_t> queue_x_, queue_y_, visited_;
};

} // namespace

bool Paint(edit_form& doc, int x, int y, const Pattern& pattern, const FillRate& rate, uint32_t seed)
{
    if (!doc.has_grid() || !doc.contains(x, y) || !pattern.exists()) return true;
    Painter painter(doc, pattern, rate, seed);
    return painter.Allocate_Work() && painter.Run(x, y);
}

} // namespace zol
