#include "ui/windows/map_view.h"

#include "core/render/map_renderer.h"
#include "core/render/map_view_layout.h"
#include "ui/windows/map_viewer.h"
#include "core/map/file_path.h"
#include "ui/frame/zol.h"

namespace zol {

namespace {
bool Has_View(Zol& frame, int slot)
{
    return frame.Map_Window(slot) && frame.Documents()[slot].has_grid();
}

// Shows the off-screen picture; the picture box paints straight from its pixels.
void Show(Zol& frame, int slot)
{
    MapControls& map = frame.State().maps[std::size_t(slot)];
    map.picture->Set_Image(map.offscreen.Image());
}
} // namespace

const CellCache& Update_Cell_Cache(Zol& frame)
{
    ProgramState& state = frame.State();
    if (state.cache_version != state.palette.version) {
        state.caches.clear();
        state.cache_version = state.palette.version;
    }
    CellCache& cache = state.caches[state.cell_size];
    if (cache.size() != state.cell_size) cache.Build(state.palette.cells, state.cell_size);
    return cache;
}

void Redraw_Map(Zol& frame, int slot)
{
    if (!Has_View(frame, slot)) return;
    const CellCache& cache = Update_Cell_Cache(frame);
    edit_form& doc = frame.Documents()[slot];
    QImage image = frame.State().maps[std::size_t(slot)].offscreen.Image();
    Render_View(image, doc, cache);
    Show(frame, slot);
}

void Redraw_All_Maps(Zol& frame)
{
    for (int s = 0; s < kMaxDocuments; ++s) Redraw_Map(frame, s);
}

void Redraw_Region(Zol& frame, int x1, int y1, int x2, int y2, int map_x, int map_y, int slot)
{
    if (!Has_View(frame, slot)) return;
    const CellCache& cache = Update_Cell_Cache(frame);
    edit_form& doc = frame.Documents()[slot];
    int i0 = map_x - doc.scroll_x, j0 = map_y - doc.scroll_y;
    int columns = x2 - x1 + 1, rows = y2 - y1 + 1;
    if (i0 < 0) { columns += i0; i0 = 0; }
    if (j0 < 0) { rows += j0; j0 = 0; }
    QImage image = frame.State().maps[std::size_t(slot)].offscreen.Image();
    if (columns > 0 && rows > 0)
        Render_Cells(image, doc, cache, doc.scroll_x, doc.scroll_y, i0, j0,
                     columns, rows);
    Show(frame, slot);
}

void Draw_Window_Cell(Zol& frame, int slot, int x, int y)
{
    Redraw_Region(frame, x, y, x, y, x, y, slot);
    Draw_Map_Cell(frame, x, y, slot);
}

void Redraw_Cells(Zol& frame, int slot, const CellRect& rect)
{
    if (!Has_View(frame, slot)) return;
    const edit_form& doc = frame.Documents()[slot];
    const int x1 = std::max(rect.x1, 0), y1 = std::max(rect.y1, 0);
    const int x2 = std::min(rect.x2, doc.width() - 1), y2 = std::min(rect.y2, doc.height() - 1);
    if (x1 > x2 || y1 > y2) return;
    Redraw_Region(frame, x1, y1, x2, y2, x1, y1, slot);
    Draw_Map_Cells(frame, {x1, y1, x2, y2}, slot);
}

void Show_Map_Picture(Zol& frame, int slot)
{
    if (Has_View(frame, slot)) Show(frame, slot);
}

void Layout_Map_View(Zol& frame, int slot)
{
    if (!Has_View(frame, slot)) return;
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    MapControls& map = state.maps[std::size_t(slot)];
    const int s = state.cell_size;
    doc.layout_done = false;

    const MapViewLayout layout = Layout_Map(map.picture->width(), map.picture->height(),
                                            doc.width(), doc.height(), s, doc.scroll_x, doc.scroll_y);
    map.picture->setGeometry(0, 0, layout.picture_width, layout.picture_height);
    doc.scroll_x = layout.scroll_x;
    doc.scroll_y = layout.scroll_y;

    map.vertical->setVisible(layout.vertical_bar);
    map.vertical->setRange(0, layout.vertical_max);
    map.vertical->setValue(layout.scroll_y);
    map.vertical->setGeometry(layout.picture_width, 0, kScrollBarThickness, layout.picture_height);
    map.horizontal->setVisible(layout.horizontal_bar);
    map.horizontal->setRange(0, layout.horizontal_max);
    map.horizontal->setValue(layout.scroll_x);
    map.horizontal->setGeometry(0, layout.picture_height, layout.picture_width, kScrollBarThickness);

    map.offscreen.Resize(layout.picture_width, layout.picture_height);
    Show(frame, slot); // the picture must never paint from the buffer just released

    FormChild* window = frame.Map_Window(slot);
    window->Set_Content_Size(layout.content_width, layout.content_height);
    doc.window_width = window->width();
    doc.window_height = window->height();
    window->setWindowTitle(Map_Caption(Path_Name_Part(doc.file_path), doc.width(), doc.height(),
                                           doc.links.count(), doc.window_width, doc.window_height, s));
    doc.layout_done = true;
    Show_View_Rectangle(frame, slot);
}

void Show_Cell_Status(Zol& frame, int slot, int x, int y)
{
    const edit_form& doc = frame.Documents()[slot];
    if (!doc.has_grid() || x < 0 || y < 0 || x >= doc.width() || y >= doc.height()) return;
    frame.Status()->Set_Text(0, Cell_Status_Text(doc, x, y));
    frame.Status()->Set_Text(1, Path_Name_Part(doc.file_path));
}

void Scroll_Map(Zol& frame, int slot, bool vertical, int code, int position)
{
    if (!Has_View(frame, slot)) return;
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    int& current = vertical ? doc.scroll_y : doc.scroll_x;
    const int step = position - current;
    current = position;
    if (code == 8) {
        Redraw_Map(frame, slot); // end of scrolling
    } else if (code == 5) {
        // Thumb tracking redraws unless a long redraw is already under way.
        if (step != 0 && state.ready) {
            winlib::BusyScope busy(state.ready);
            Redraw_Map(frame, slot);
        }
    } else if (step == 1 || step == -1) {
        const CellCache& cache = Update_Cell_Cache(frame);
        Scroll_View(state.maps[std::size_t(slot)].offscreen, doc, cache, vertical ? 0 : step,
                    vertical ? step : 0);
        Show(frame, slot);
    } else if (step != 0) {
        Redraw_Map(frame, slot); // a jump: to the top or bottom, or to a clicked place
    }
    if (step != 0) Show_View_Rectangle(frame, slot);
}

} // namespace zol
