#include "tools/map_size.h"

#include "documents/allocation.h"
#include "shell/show_message.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zol {

namespace {

// The columns without the entries outside w x h, in order; false (reported) when memory ran out.
template <std::size_t N>
bool Kept_Columns(const std::array<const std::vector<uint8_t>*, N>& from, const std::vector<uint8_t>& xs,
                  const std::vector<uint8_t>& ys, int w, int h, std::array<std::vector<uint8_t>, N>& to,
                  int first_step, MessageIconCode icon)
{
    std::vector<std::size_t> kept;
    for (std::size_t k = 0; k < xs.size(); ++k)
        if (xs[k] < w && ys[k] < h) kept.push_back(k);
    for (std::size_t c = 0; c < N; ++c) {
        if (kept.empty()) break;
        if (!Allocate(to[c], kept.size())) {
            Show_Message(nullptr, QStringLiteral("ERROR:Flag_Set_cb_ok_Click(%1)").arg(first_step + int(c)),
                         kNoMemoryText, MB_OK, icon);
            return false;
        }
        for (std::size_t n = 0; n < kept.size(); ++n) to[c][n] = (*from[c])[kept[n]];
    }
    return true;
}

} // namespace

bool Resize_Map(edit_form& doc, int w, int h)
{
    if (!doc.has_grid() || w < 1 || h < 1 || w > kMaxMapSide || h > kMaxMapSide) return false;
    Grid grid;
    if (!grid.Allocate(w, h, 0)) {
        Show_Message(nullptr, QStringLiteral("ERROR:Set_Form_cb_ok_Click(1)"), kNoMemoryText, MB_OK,
                     MB_ICON_EXCLAMATION);
        return false;
    }
    const int rows = std::min(doc.height(), h);
    for (int x = 0; x < std::min(doc.width(), w); ++x) std::memcpy(grid.column(x), doc.grid.column(x), std::size_t(rows));

    std::array<std::vector<uint8_t>, 5> links;
    std::array<std::vector<uint8_t>, 3> events;
    if (!Kept_Columns<5>({&doc.links.target_map, &doc.links.target_x, &doc.links.target_y, &doc.links.x,
                          &doc.links.y},
                         doc.links.x, doc.links.y, w, h, links, 11, MB_ICON_STOP) ||
        !Kept_Columns<3>({&doc.events.number, &doc.events.x, &doc.events.y}, doc.events.x, doc.events.y, w, h,
                         events, 4, MB_ICON_STOP))
        return false;

    doc.grid.swap(grid);
    doc.max_x = uint8_t(w - 1);
    doc.max_y = uint8_t(h - 1);
    doc.links.target_map.swap(links[0]);
    doc.links.target_x.swap(links[1]);
    doc.links.target_y.swap(links[2]);
    doc.links.x.swap(links[3]);
    doc.links.y.swap(links[4]);
    doc.events.number.swap(events[0]);
    doc.events.x.swap(events[1]);
    doc.events.y.swap(events[2]);
    return true;
}

} // namespace zol
