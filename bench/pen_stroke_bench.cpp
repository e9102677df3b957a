// Editing through the frame, offscreen, where every change is announced to the views:
// - a pen stroke through the map picture's bound handlers (a press and 19 moves over 20 cells of
//   a 640 x 480 picture and the release) against one full redraw of that picture; both only
//   prepare the picture, the window system paints it later either way;
// - a flood fill of the whole largest map with the whole-map view and the three lists open,
//   against the same fill with no view open but its map window.

#include <benchmark/benchmark.h>

#include "core/render/cell_palette_images.h"
#include "ui/windows/map_view.h"
#include "core/map/map_file.h"
#include "ui/frame/zol.h"
#include "ui/tools/mouse_editing.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_viewer.h"
#include "ui/winlib/winlib.h"

#include <QTemporaryDir>

#include <cstdlib>

namespace {

struct Editor {
    QTemporaryDir dir;
    zol::Zol frame;
    int slot = -1;

    explicit Editor(int side = 100)
    {
        zol::CellImages cells;
        for (int n = 0; n < 64; ++n) {
            QImage cell(zol::kCellSize, zol::kCellSize, QImage::Format_RGB32);
            cell.fill(QColor::fromHsv(n * 5, 200, 200));
            cells[std::size_t(n)] = cell;
        }
        if (!zol::Write_Palette_Bitmap(dir.filePath("tiles.bmp"), cells)) std::abort();
        zol::edit_form doc;
        doc.max_x = doc.max_y = uint8_t(side - 1);
        doc.grid.Allocate(side, side, 3);
        doc.flags.assign(zol::kCellCount, 0);
        doc.file_path = dir.filePath("stroke.zol");
        if (!zol::Write_Map(doc, "tiles", "ERROR(17)")) std::abort();
        frame.resize(1400, 1000);
        frame.show();
        frame.Open_Files({doc.file_path});
        slot = 0;
        if (!frame.Documents()[slot].is_open()) std::abort();
    }
    zol::winlib::WPictureBox* Picture() { return zol::Map_Controls(frame, slot).picture; }
};

Editor& Shared()
{
    static Editor* editor = new Editor;
    return *editor;
}

void BM_RedrawMap(benchmark::State& state)
{
    Editor& editor = Shared();
    for (auto _ : state) zol::Redraw_Map(editor.frame, editor.slot);
}
BENCHMARK(BM_RedrawMap);

void BM_PenStroke(benchmark::State& state)
{
    Editor& editor = Shared();
    zol::winlib::WPictureBox* picture = editor.Picture();
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 15;
        const int y = row * 32 + 16;
        zol::winlib::Override_Buttons(zol::winlib::ButtonSnapshot{.left = true});
        zol::winlib::Fire(picture, "LeftButtonDownEvent", 16, y);
        for (int i = 1; i < 20; ++i) zol::winlib::Fire(picture, "MouseMoveEvent", i * 32 + 16, y);
        zol::winlib::Override_Buttons(zol::winlib::ButtonSnapshot{});
        zol::winlib::Fire(picture, "LeftButtonUpEvent", 19 * 32 + 16, y);
    }
}
BENCHMARK(BM_PenStroke);

// A fill that covers the largest map: every cell takes the other of two numbers.
void Fill_Whole_Map(benchmark::State& state, bool views)
{
    static Editor* editor = new Editor(256);
    zol::Zol& frame = editor->frame;
    if (views && !zol::Viewer_Controls(frame).window) {
        frame.Run_Command(zol::ID_WHOLE_MAP);
        for (int id : {zol::ID_EVENT_LIST, zol::ID_FLAG_LIST, zol::ID_LINK_LIST}) frame.Run_Command(id);
    }
    frame.State().tools.current = zol::kFloodFill;
    frame.State().fill_rate = {false, 100};
    int cell = 3;
    for (auto _ : state) {
        cell = cell == 3 ? 4 : 3;
        frame.State().palette.l_cell = uint8_t(cell);
        zol::Press_Tool(frame, editor->slot, 0, 0, false);
        zol::Release_Tool(frame, editor->slot, 0, 0, false);
    }
    if (frame.Documents()[editor->slot].cell(255, 255) != cell) state.SkipWithError("the fill did not cover the map");
}

void BM_FillNoViews(benchmark::State& state) { Fill_Whole_Map(state, false); }
BENCHMARK(BM_FillNoViews);

void BM_FillAllViews(benchmark::State& state) { Fill_Whole_Map(state, true); }
BENCHMARK(BM_FillAllViews);

} // namespace
