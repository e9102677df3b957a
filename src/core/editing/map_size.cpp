#include "core/editing/map_size.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zol {

namespace {

// Removes, in place, the entries whose cell lies outside w x h; the others keep their order.
// xs and ys are two of the columns: entry k is read before any write reaches it.
template <std::size_t N>
void Keep_Inside(const std::array<std::vector<uint8_t>*, N>& columns, const std::vector<uint8_t>& xs,
                 const std::vector<uint8_t>& ys, int w, int h)
{
    std::size_t kept = 0;
    const std::size_t count = xs.size();
    for (std::size_t k = 0; k < count; ++k) {
        if (xs[k] >= w || ys[k] >= h) continue; // read before entry `kept` (<= k) is written
        for (auto* column : columns) (*column)[kept] = (*column)[k];
        ++kept;
    }
    for (auto* column : columns) {
        column->resize(kept);
        if (kept == 0) std::vector<uint8_t>().swap(*column);
    }
}

} // namespace

bool Resize_Map(edit_form& doc, int w, int h)
{
    if (!doc.has_grid() || w < 1 || h < 1 || w > kMaxMapSide || h > kMaxMapSide) return false;
    // A smaller map keeps its block; a larger one needs a new block, made before anything else.
    const bool shrinking = w <= doc.width() && h <= doc.height();
    Grid grid;
    if (!shrinking && !grid.Allocate_Uninitialized(w, h)) {
        Show_Message(nullptr, QStringLiteral("ERROR:Set_Form_cb_ok_Click(1)"), No_Memory_Text(), MB_OK,
                     MB_ICON_EXCLAMATION);
        return false;
    }
    if (!shrinking) {
        // The kept part is copied, everything else (new columns and rows) is cell 0.
        const int rows = std::min(doc.height(), h);
        for (int x = 0; x < w; ++x) {
            uint8_t* column = grid.column(x);
            const int copied = x < doc.width() ? rows : 0;
            if (copied > 0) std::memcpy(column, doc.grid.column(x), std::size_t(copied));
            std::memset(column + copied, 0, std::size_t(h - copied));
        }
    }

    // From here nothing can fail: the tables shrink where they are.
    if (shrinking) doc.grid.Shrink(w, h);
    else doc.grid.swap(grid);
    doc.max_x = uint8_t(w - 1);
    doc.max_y = uint8_t(h - 1);
    Keep_Inside<5>({&doc.links.target_map, &doc.links.target_x, &doc.links.target_y, &doc.links.x, &doc.links.y},
                   doc.links.x, doc.links.y, w, h);
    Keep_Inside<3>({&doc.events.number, &doc.events.x, &doc.events.y}, doc.events.x, doc.events.y, w, h);
    return true;
}

} // namespace zol
