#pragma once
// The map the file benchmarks read and write: 256 x 256 cells of every number and flag, with
// every link and event slot used.

#include "core/map/edit_form.h"

namespace zol::bench {

inline edit_form Largest_Map()
{
    edit_form doc;
    doc.max_x = doc.max_y = 255;
    doc.grid.Allocate(256, 256);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y) doc.cell(x, y) = Make_Cell((x * 7 + y * 13) % 64, (x ^ y) % 4);
    for (int i = 0; i < kMaxLinks; ++i) {
        doc.links.target_map.push_back(uint8_t(i % 5));
        doc.links.target_x.push_back(uint8_t(i));
        doc.links.target_y.push_back(uint8_t(255 - i));
        doc.links.x.push_back(uint8_t((i * 3) % 256));
        doc.links.y.push_back(uint8_t((i * 5) % 256));
    }
    for (int i = 0; i < kMaxEvents; ++i) {
        doc.events.number.push_back(uint8_t(i));
        doc.events.x.push_back(uint8_t((i * 11) % 256));
        doc.events.y.push_back(uint8_t((i * 17) % 256));
    }
    doc.flags.assign(kCellCount, 0);
    return doc;
}

} // namespace zol::bench
