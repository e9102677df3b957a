#pragma once
// The whole map's picture as a PNG file, written straight from the map and the cell cache
// without drawing the picture first: rows are built from cell rows, filtered with a filter
// chosen for each row within a cell (a map's rows repeat their cells' rows every cell size),
// and deflated in two halves on two threads that are then joined into one zlib stream.

#include "core/render/map_renderer.h"
#include "core/map/edit_form.h"

#include <QString>

namespace zol {

// Writes doc's whole map at the cache's cell size as an 8-bit RGB PNG, the same pixels
// Render_Map_Image draws. Written beside path and renamed over it. False when there is nothing
// to draw, memory runs short or the file cannot be written; an existing file is then untouched.
bool Write_Map_Png(const QString& path, const edit_form& doc, const CellCache& cache);

// Called at the start of each half of the writer's work on two threads (choosing the filters,
// then packing) with the half's number: 0 runs on the calling thread, 1 on the other. A test
// installs one that throws, as a memory shortage in that half would; the program has none.
using MapPngHalfHook = void (*)(int half);
void Set_Map_Png_Half_Hook(MapPngHalfHook hook);

} // namespace zol
